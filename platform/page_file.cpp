#include "platform/page_file.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/quoted_name.h"
#include "platform/staged_file.h"
#include "platform/write_hook.h"

namespace platform
{

namespace
{

std::string NameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool SameTime(const struct timespec& a, const struct timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool Holds(const std::string& folder, const std::string& real)
{
    return real == folder ||
           (real.size() > folder.size() && real.compare(0, folder.size(), folder) == 0 &&
            (folder.back() == '/' || real[folder.size()] == '/'));
}

// The page's folder as the walk found it may have changed since; where it leads now is judged
// afresh, and then reached from the site folder without following anything.
BoundFolder SiteBoundFolder(const std::string& path, const std::string& resolved,
                            const std::vector<std::string>& sites)
{
    std::error_code ec;
    const std::string real = std::filesystem::canonical(FolderOf(resolved), ec).string();
    if (ec)
        FailToCreate(path, ec.value(), "realpath", FolderOf(resolved));
    for (const std::string& site : sites) {
        if (!Holds(site, real))
            continue;
        const BoundFolder top(site, path);
        std::string below = real.substr(site.size());
        if (!below.empty() && below.front() == '/')
            below.erase(0, 1);
        return BoundFolder(top, below, path);
    }
    throw std::runtime_error(ShellQuotedName(path) +
                             ": not upgraded: it now leads outside the folders checked, to " +
                             ShellQuotedName(real));
}

} // namespace

PageFile::PageFile(const std::string& path) : PageFile(path, FollowLinks(path)) {}

PageFile::PageFile(const std::string& path, const std::string& resolved)
    : PageFile(path, resolved, BoundFolder(FolderOf(resolved), path))
{
}

PageFile::PageFile(const std::string& path, const std::vector<std::string>& sites)
    : PageFile(path, FollowLinks(path), sites)
{
}

PageFile::PageFile(const std::string& path, const std::string& resolved,
                   const std::vector<std::string>& sites)
    : PageFile(path, resolved, SiteBoundFolder(path, resolved, sites))
{
}

PageFile::PageFile(const std::string& path, const std::string& resolved, BoundFolder&& folder)
    : path_(path), name_(NameOf(resolved)), folder_(std::move(folder)),
      file_(folder_.Descriptor(), name_, path)
{
}

std::vector<std::string> PageFile::SiteFolders(const std::vector<std::string>& paths)
{
    std::vector<std::string> folders;
    for (const std::string& path : paths) {
        std::error_code ec;
        std::filesystem::path real = std::filesystem::canonical(path, ec);
        if (ec)
            continue;
        if (!std::filesystem::is_directory(real, ec))
            real = real.parent_path();
        folders.push_back(real.string());
    }
    return folders;
}

std::size_t PageFile::OtherNames() const
{
    const nlink_t links = file_.Info().st_nlink;
    return links > 1 ? static_cast<std::size_t>(links - 1) : 0;
}

// Device and inode say the name still leads to the file read; size and modification time say
// nobody wrote into it since, so replacing it loses no edit.
void PageFile::CheckUnchanged() const
{
    struct stat now {
    };
    folder_.CheckTarget(name_, now, NewFileMode::Data, path_);
    const struct stat& read = file_.Info();
    if (now.st_dev != read.st_dev || now.st_ino != read.st_ino || now.st_size != read.st_size ||
        !SameTime(now.st_mtim, read.st_mtim))
        throw std::runtime_error(ShellQuotedName(path_) +
                                 ": not upgraded: the page changed after it was read, and is left "
                                 "as it is now; check it again");
}

void PageFile::CheckOriginalIsFree() const
{
    struct stat info {
    };
    if (fstatat(folder_.Descriptor(), (name_ + ".orig").c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0)
        ThrowOriginalIsThere();
}

void PageFile::ThrowOriginalIsThere() const
{
    throw std::runtime_error(ShellQuotedName(path_) +
                             ": not upgraded: " + ShellQuotedName(path_ + ".orig") +
                             " is already there, and would be lost");
}

struct stat PageFile::KeepOriginal(std::string_view before) const
{
    const std::string orig = name_ + ".orig";
    // Created with no permission for others until it has the page's own: a page only its owner
    // may read must not be readable in its copy for a moment either.
    const int fd = openat(folder_.Descriptor(), orig.c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 && errno == EEXIST)
        ThrowOriginalIsThere();
    if (fd < 0)
        FailToCreate(path_ + ".orig", errno, "open", folder_.PathOf(orig));
    struct stat made {
    };
    fstat(fd, &made);
    try {
        const struct stat& page = file_.Info();
        FillStagedFile(fd, path_ + ".orig", folder_.PathOf(orig), before, &page, NewFileMode::Data,
                       false);
        const struct timespec times[2] = {page.st_atim, page.st_mtim};
        if (futimens(fd, times) != 0 || fsync(fd) != 0)
            FailToCreate(path_ + ".orig", errno, "futimens", folder_.PathOf(orig));
    } catch (...) {
        close(fd);
        RemoveOriginal(made);
        throw;
    }
    close(fd);
    return made;
}

// Only the file made here goes: a PAGE.orig put in its place meanwhile is someone's.
void PageFile::RemoveOriginal(const struct stat& made) const
{
    const std::string orig = name_ + ".orig";
    struct stat now {
    };
    if (fstatat(folder_.Descriptor(), orig.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0 &&
        now.st_dev == made.st_dev && now.st_ino == made.st_ino)
        unlinkat(folder_.Descriptor(), orig.c_str(), 0);
}

void PageFile::Replace(std::string_view before, std::string_view after, bool backup) const
{
    RunWriteHook(path_);
    CheckUnchanged();
    struct stat orig {
    };
    if (backup)
        orig = KeepOriginal(before);
    std::string staged;
    try {
        struct stat stagedInfo {
        };
        staged = folder_.Stage(after, &file_.Info(), NewFileMode::Data, true, path_, stagedInfo);
        CheckUnchanged();
        folder_.Move(staged, name_, path_);
    } catch (...) {
        if (!staged.empty())
            folder_.Discard(staged);
        if (backup)
            RemoveOriginal(orig);
        throw;
    }
    folder_.Sync();
}

} // namespace platform
