#include "platform/bound_folder.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

#include "platform/file_system.h"
#include "platform/quoted_name.h"

namespace platform
{

namespace
{

// A folder that may be searched but not listed still holds pages to write; only flushing it
// needs it readable, and that is best effort.
int OpenFolder(int at, const char* name, int noFollow)
{
    const int flags = O_DIRECTORY | O_CLOEXEC | noFollow;
    const int fd = openat(at, name, O_RDONLY | flags);
    return fd >= 0 || errno != EACCES ? fd : openat(at, name, O_PATH | flags);
}

} // namespace

BoundFolder::BoundFolder(const std::string& path, const std::string& target)
    : fd_(OpenFolder(AT_FDCWD, path.c_str(), 0)), path_(path)
{
    if (fd_ < 0)
        FailToCreate(target, errno, "open", path);
}

BoundFolder::BoundFolder(const BoundFolder& parent, const std::string& relative,
                         const std::string& target)
    : path_(parent.path_)
{
    fd_ = dup(parent.fd_);
    if (fd_ < 0)
        FailToCreate(target, errno, "dup", path_);
    for (const std::filesystem::path& part : std::filesystem::path(relative)) {
        const std::string name = part.string();
        if (name.empty() || name == ".")
            continue;
        path_ += "/" + name;
        // O_NOFOLLOW refuses a link however it got there; ".." is refused so that nothing
        // climbs out, whatever the caller checked.
        const int next = name == ".." ? -1 : OpenFolder(fd_, name.c_str(), O_NOFOLLOW);
        const int error = name == ".." ? EPERM : errno;
        close(fd_);
        fd_ = next;
        if (fd_ < 0)
            FailToCreate(target, error, "openat", path_);
    }
}

BoundFolder::BoundFolder(BoundFolder&& other) noexcept : fd_(other.fd_), path_(other.path_)
{
    other.fd_ = -1;
}

BoundFolder& BoundFolder::operator=(BoundFolder&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            close(fd_);
        fd_ = other.fd_;
        path_ = std::move(other.path_);
        other.fd_ = -1;
    }
    return *this;
}

BoundFolder::~BoundFolder()
{
    if (fd_ >= 0)
        close(fd_);
}

std::string BoundFolder::PathOf(const std::string& name) const
{
    return path_ + "/" + name;
}

bool BoundFolder::Look(const std::string& name, struct stat& info, const std::string& target) const
{
    if (fstatat(fd_, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0)
        return true;
    if (errno != ENOENT)
        FailToCreate(target, errno, "lstat", PathOf(name));
    return false;
}

bool BoundFolder::CheckTarget(const std::string& name, struct stat& info, NewFileMode mode,
                              const std::string& target) const
{
    if (!Look(name, info, target))
        return false;
    if (!S_ISREG(info.st_mode))
        throw std::runtime_error("Cannot create file " + QuotedName(target) + ". It is " +
                                 FileKindName(info.st_mode) + ", not a regular file.");
    // A rename would pass over the protection of a data file the user may not write.
    if (mode == NewFileMode::Data && faccessat(fd_, name.c_str(), W_OK, AT_SYMLINK_NOFOLLOW) != 0)
        FailToCreate(target, errno, "access", PathOf(name));
    return true;
}

std::string BoundFolder::Stage(std::string_view bytes, const struct stat* old, NewFileMode mode,
                               bool flush, const std::string& target, struct stat& staged) const
{
    std::string name;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        name = NewStagedName();
        fd = openat(fd_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST)
            FailToCreate(target, errno, "openat", PathOf(name));
    }
    if (fd < 0)
        FailToCreate(target, EEXIST, "openat", PathOf(name));
    try {
        FillStagedFile(fd, target, PathOf(name), bytes, old, mode, flush);
        if (fstat(fd, &staged) != 0)
            FailToCreate(target, errno, "fstat", PathOf(name));
        const int closed = close(fd);
        fd = -1;
        if (closed != 0)
            FailToCreate(target, errno, "close", PathOf(name));
    } catch (...) {
        unlinkat(fd_, name.c_str(), 0);
        if (fd >= 0)
            close(fd);
        throw;
    }
    return name;
}

void BoundFolder::Move(const std::string& staged, const std::string& name,
                       const std::string& target) const
{
    if (renameat(fd_, staged.c_str(), fd_, name.c_str()) != 0)
        FailToCreate(target, errno, "rename", PathOf(staged));
}

void BoundFolder::Discard(const std::string& staged) const
{
    unlinkat(fd_, staged.c_str(), 0);
}

void BoundFolder::Clean() const
{
    RemoveAbandonedStagedFilesAt(fd_);
}

void BoundFolder::Sync() const
{
    fsync(fd_);
}

} // namespace platform
