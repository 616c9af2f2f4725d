#include "platform/staged_file.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <stdexcept>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/file_system.h"

namespace platform
{

namespace
{

constexpr std::string_view kStagedPrefix = ".sw~";
constexpr std::size_t kStagedNameLength = 10; // the prefix and mkstemp's six characters
constexpr int kMaxLinks = 40;
constexpr int kMaxStagingAttempts = 100;

[[noreturn]] void Fail(const std::string& target, int error, const char* call,
                       const std::string& path)
{
    throw std::runtime_error("Cannot create file \"" + target + "\". " + std::strerror(error) +
                             " (" + call + " \"" + path + "\")");
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

mode_t NewMode(NewFileMode mode)
{
    const mode_t mask = umask(0);
    umask(mask);
    return (mode == NewFileMode::Executable ? 0755 : 0666) & ~mask;
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The staged files this process is writing or about to commit, each with its open descriptor:
// the lock held through it tells other processes that the file is no leftover.
std::map<std::string, int>& OpenStagedFiles()
{
    static std::map<std::string, int> files;
    return files;
}

std::mutex& OpenStagedFilesLock()
{
    static std::mutex lock;
    return lock;
}

void Forget(const std::string& staged)
{
    const std::lock_guard<std::mutex> guard(OpenStagedFilesLock());
    auto& files = OpenStagedFiles();
    const auto it = files.find(staged);
    if (it != files.end()) {
        close(it->second);
        files.erase(it);
    }
}

bool IsStagedName(const char* name)
{
    return std::strlen(name) == kStagedNameLength &&
           std::string_view(name).substr(0, kStagedPrefix.size()) == kStagedPrefix;
}

// Removes one staged file whose writer is gone: nobody holds its lock. The name is checked to
// still be the file that was locked, so a file staged afresh under it is never hit.
void RemoveIfAbandoned(int folder, const char* name)
{
    const int fd = openat(folder, name, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat opened {
    }, named{};
    if (fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_ino == opened.st_ino &&
        named.st_dev == opened.st_dev)
        unlinkat(folder, name, 0);
    close(fd);
}

void RemoveAbandonedStagedFiles(const std::string& folder)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* entry = readdir(dir)) {
        if (IsStagedName(entry->d_name))
            RemoveIfAbandoned(dirfd(dir), entry->d_name);
    }
    closedir(dir);
}

// Creates and locks a fresh staged file in `folder`. A cleaner in another process may remove
// the name between its creation and the lock; the name is then made again. Where the file
// system has no locks, no cleaner can take one either, and the file is used unlocked.
int CreateLockedStagedFile(const std::string& target, const std::string& folder,
                           std::string& staged)
{
    for (int attempt = 0; attempt < kMaxStagingAttempts; ++attempt) {
        std::string pattern = folder + "/" + std::string(kStagedPrefix) + "XXXXXX";
        const int fd = mkostemp(pattern.data(), O_CLOEXEC);
        if (fd < 0)
            Fail(target, errno, "mkstemp", folder);
        if (flock(fd, LOCK_EX) != 0) {
            staged = pattern;
            return fd;
        }
        struct stat opened {
        }, named{};
        if (fstat(fd, &opened) == 0 && lstat(pattern.c_str(), &named) == 0 &&
            named.st_ino == opened.st_ino && named.st_dev == opened.st_dev) {
            staged = pattern;
            return fd;
        }
        close(fd);
    }
    Fail(target, EAGAIN, "mkstemp", folder);
}

// Refuses a target that is there and is not a regular file. Returns whether it exists.
bool CheckTarget(const std::string& target, const std::string& resolved, struct stat& info)
{
    if (lstat(resolved.c_str(), &info) != 0) {
        if (errno == ENOENT)
            return false;
        Fail(target, errno, "lstat", resolved);
    }
    if (!S_ISREG(info.st_mode))
        throw std::runtime_error("Cannot create file \"" + target + "\". It is " +
                                 FileKindName(info.st_mode) + ", not a regular file.");
    return true;
}

// Gives the staged file its content and the target's mode and owner, and flushes it.
void FillStagedFile(int fd, const std::string& target, const std::string& staged,
                    std::string_view bytes, const struct stat* old, NewFileMode mode)
{
    if (!WriteAll(fd, bytes))
        Fail(target, errno, "write", staged);
    if (fchmod(fd, old ? (old->st_mode & 07777) : NewMode(mode)) != 0)
        Fail(target, errno, "fchmod", staged);
    // Only the owner or a privileged process may hand a file to someone else; any other keeps
    // the file as its own, as a newly written file would be.
    if (old && (old->st_uid != geteuid() || old->st_gid != getegid()) &&
        fchown(fd, old->st_uid, old->st_gid) == 0)
        fchmod(fd, old->st_mode & 07777); // chown clears the set-id bits
    if (fsync(fd) != 0)
        Fail(target, errno, "fsync", staged);
}

void SyncFolder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

} // namespace

std::string FollowLinks(const std::string& target)
{
    std::string path = target;
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat info {
        };
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        std::vector<char> text(static_cast<std::size_t>(PATH_MAX) + 1);
        const ssize_t n = readlink(path.c_str(), text.data(), text.size() - 1);
        if (n < 0)
            return path;
        const std::string pointed(text.data(), static_cast<std::size_t>(n));
        path = pointed.front() == '/' ? pointed : FolderOf(path) + "/" + pointed;
    }
    Fail(target, ELOOP, "readlink", path);
}

std::string StageFile(const std::string& target, std::string_view bytes, NewFileMode mode)
{
    const std::string resolved = FollowLinks(target);
    struct stat old {
    };
    const bool exists = CheckTarget(target, resolved, old);
    // A data file the user may not write stays so, as writing into it in place would have
    // refused; a rename would pass over its protection.
    if (exists && mode == NewFileMode::Data && access(resolved.c_str(), W_OK) != 0)
        Fail(target, errno, "access", resolved);
    const std::string folder = FolderOf(resolved);
    RemoveAbandonedStagedFiles(folder);
    std::string staged;
    const int fd = CreateLockedStagedFile(target, folder, staged);
    try {
        FillStagedFile(fd, target, staged, bytes, exists ? &old : nullptr, mode);
    } catch (...) {
        unlink(staged.c_str());
        close(fd);
        throw;
    }
    const std::lock_guard<std::mutex> guard(OpenStagedFilesLock());
    OpenStagedFiles()[staged] = fd;
    return staged;
}

bool CommitStagedFile(const std::string& staged, const std::string& target)
{
    // Links that changed since staging may no longer resolve. That is a failed move like any
    // other, so the caller discards the staged file instead of leaving it behind.
    std::string resolved;
    try {
        resolved = FollowLinks(target);
    } catch (const std::exception&) {
        errno = ELOOP;
        return false;
    }
    struct stat info {
    };
    // A folder or device that appeared meanwhile is not replaced either.
    if (lstat(resolved.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        errno = EISDIR;
        return false;
    }
    if (std::rename(staged.c_str(), resolved.c_str()) != 0)
        return false;
    SyncFolder(FolderOf(resolved));
    Forget(staged);
    return true;
}

void DiscardStagedFile(const std::string& staged)
{
    unlink(staged.c_str());
    Forget(staged);
}

void ReplaceFile(const std::string& target, std::string_view bytes, NewFileMode mode)
{
    const std::string staged = StageFile(target, bytes, mode);
    if (!CommitStagedFile(staged, target)) {
        const int error = errno;
        DiscardStagedFile(staged);
        Fail(target, error, "rename", staged);
    }
}

} // namespace platform

namespace platform
{

namespace
{

// The descriptor a path names when it is one of the process's own (/dev/stdout, /dev/stderr,
// /dev/fd/N, /proc/self/fd/N), else -1. Writing to that descriptor itself, not to a file opened
// anew through the path, keeps what the shell set up: its position, and `>>`'s appending.
int OwnDescriptor(const std::string& path)
{
    if (path == "/dev/stdout")
        return STDOUT_FILENO;
    if (path == "/dev/stderr")
        return STDERR_FILENO;
    for (const std::string_view prefix : {"/dev/fd/", "/proc/self/fd/"}) {
        if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string digits = path.substr(prefix.size());
        if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
            return -1;
        return std::stoi(digits);
    }
    return -1;
}

} // namespace

void WriteOutputFile(const std::string& path, std::string_view bytes, NewFileMode mode)
{
    if (const int own = OwnDescriptor(path); own >= 0) {
        if (!WriteAll(own, bytes))
            Fail(path, errno, "write", path);
        return;
    }
    struct stat info {
    };
    if (stat(path.c_str(), &info) != 0 || !(S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode))) {
        ReplaceFile(path, bytes, mode);
        return;
    }
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        Fail(path, errno, "open", path);
    const bool written = WriteAll(fd, bytes);
    const int error = errno;
    if (close(fd) != 0 && written)
        Fail(path, errno, "close", path);
    if (!written)
        Fail(path, error, "write", path);
}

} // namespace platform
