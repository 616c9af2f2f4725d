#include "platform/staged_file.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <random>
#include <stdexcept>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/file_system.h"
#include "platform/quoted_name.h"

namespace platform
{

[[noreturn]] void FailToCreate(const std::string& target, int error, const char* call,
                               const std::string& path)
{
    throw std::runtime_error("Cannot create file " + QuotedName(target) + ". " +
                             std::strerror(error) + " (" + call + " " + QuotedName(path) + ")");
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

namespace
{

// A staged file is named ".sw~<writer's process id>-<six random letters or digits>.sw-staged":
// short, so a target of the longest name a folder allows still works, and of a form no user
// picks, so the cleaner never mistakes someone's file for a leftover.
constexpr std::string_view kStagedPrefix = ".sw~";
constexpr std::string_view kStagedSuffix = ".sw-staged";
constexpr std::size_t kStagedRandomLength = 6; // what mkostemps fills in
// Where locks do not work, a leftover is told from a file still being written by its age.
constexpr time_t kLeftoverAgeSeconds = 5 * 60;
constexpr int kMaxLinks = 40;
constexpr int kMaxStagingAttempts = 100;

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

bool IsRandomPart(std::string_view text)
{
    // ASCII by hand: the program's locale may be any, and mkostemps uses only these.
    const auto letterOrDigit = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    };
    return text.size() == kStagedRandomLength &&
           std::all_of(text.begin(), text.end(), letterOrDigit);
}

// The writer's process id when `name` has the form of a staged file, else 0.
pid_t StagedFileWriter(std::string_view name)
{
    if (!name.starts_with(kStagedPrefix) || !name.ends_with(kStagedSuffix))
        return 0;
    name.remove_prefix(kStagedPrefix.size());
    name.remove_suffix(kStagedSuffix.size());
    const std::size_t dash = name.find('-');
    if (dash == std::string_view::npos || !IsRandomPart(name.substr(dash + 1)))
        return 0;
    const std::string_view digits = name.substr(0, dash);
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    if (error != std::errc() || end != digits.data() + digits.size() || pid <= 0 ||
        digits.front() == '0')
        return 0;
    return pid;
}

bool WriterGone(pid_t writer)
{
    return kill(writer, 0) != 0 && errno == ESRCH;
}

// A staged file whose writer is gone: nobody holds its lock, and its writer has ended or it
// has not changed for minutes. A file with a second name is someone's data and stays.
bool IsAbandoned(int fd, const struct stat& opened, pid_t writer)
{
    if (!S_ISREG(opened.st_mode) || opened.st_nlink != 1 || flock(fd, LOCK_EX | LOCK_NB) != 0)
        return false;
    return time(nullptr) - opened.st_mtime >= kLeftoverAgeSeconds || WriterGone(writer);
}

// The name is checked to still be the file that was locked, so a file staged afresh under it
// is never hit.
void RemoveIfAbandoned(int folder, const char* name, pid_t writer)
{
    const int fd = openat(folder, name, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat opened {
    }, named{};
    if (fstat(fd, &opened) == 0 && IsAbandoned(fd, opened, writer) &&
        fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_ino == opened.st_ino &&
        named.st_dev == opened.st_dev)
        unlinkat(folder, name, 0);
    close(fd);
}

void RemoveAbandonedStagedFiles(DIR* dir)
{
    if (!dir)
        return;
    while (const dirent* entry = readdir(dir)) {
        if (const pid_t writer = StagedFileWriter(entry->d_name))
            RemoveIfAbandoned(dirfd(dir), entry->d_name, writer);
    }
    closedir(dir);
}

void RemoveAbandonedStagedFiles(const std::string& folder)
{
    RemoveAbandonedStagedFiles(opendir(folder.c_str()));
}

// Creates and locks a fresh staged file in `folder`. A cleaner in another process may remove
// the name between its creation and the lock; the name is then made again. Where the file
// system has no locks, no cleaner can take one either, and the file is used unlocked.
int CreateLockedStagedFile(const std::string& target, const std::string& folder,
                           std::string& staged)
{
    for (int attempt = 0; attempt < kMaxStagingAttempts; ++attempt) {
        std::string pattern = folder + "/" + std::string(kStagedPrefix) + std::to_string(getpid()) +
                              "-XXXXXX" + std::string(kStagedSuffix);
        const int fd = mkostemps(pattern.data(), static_cast<int>(kStagedSuffix.size()), O_CLOEXEC);
        if (fd < 0)
            FailToCreate(target, errno, "mkstemp", folder);
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
    FailToCreate(target, EAGAIN, "mkstemp", folder);
}

// Refuses a target that is there and is not a regular file. Returns whether it exists.
bool CheckTarget(const std::string& target, const std::string& resolved, struct stat& info)
{
    if (lstat(resolved.c_str(), &info) != 0) {
        if (errno == ENOENT)
            return false;
        FailToCreate(target, errno, "lstat", resolved);
    }
    if (!S_ISREG(info.st_mode))
        throw std::runtime_error("Cannot create file " + QuotedName(target) + ". It is " +
                                 FileKindName(info.st_mode) + ", not a regular file.");
    return true;
}

} // namespace

void RemoveAbandonedStagedFilesAt(int folder)
{
    const int fd = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    DIR* dir = fdopendir(fd);
    if (!dir)
        close(fd);
    RemoveAbandonedStagedFiles(dir);
}

std::string NewStagedName()
{
    static constexpr std::string_view kLetters =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937 random{std::random_device{}()};
    static std::mutex lock;
    std::string part(kStagedRandomLength, 'x');
    {
        const std::lock_guard<std::mutex> guard(lock);
        for (char& c : part)
            c = kLetters[random() % kLetters.size()];
    }
    return std::string(kStagedPrefix) + std::to_string(getpid()) + "-" + part +
           std::string(kStagedSuffix);
}

void FillStagedFile(int fd, const std::string& target, const std::string& staged,
                    std::string_view bytes, const struct stat* old, NewFileMode mode, bool flush)
{
    if (!WriteAll(fd, bytes))
        FailToCreate(target, errno, "write", staged);
    if (fchmod(fd, old ? (old->st_mode & 07777) : NewMode(mode)) != 0)
        FailToCreate(target, errno, "fchmod", staged);
    // Only the owner or a privileged process may hand a file to someone else; any other keeps
    // the file as its own, as a newly written file would be.
    if (old && (old->st_uid != geteuid() || old->st_gid != getegid()) &&
        fchown(fd, old->st_uid, old->st_gid) == 0)
        fchmod(fd, old->st_mode & 07777); // chown clears the set-id bits
    if (flush && fsync(fd) != 0)
        FailToCreate(target, errno, "fsync", staged);
}

void SyncFolder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

std::string FollowLinks(const std::string& target)
{
    std::string path = target;
    // As many links as the kernel follows in one path, and not one more.
    for (int followed = 0;; ++followed) {
        struct stat info {
        };
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        if (followed == kMaxLinks)
            FailToCreate(target, ELOOP, "readlink", path);
        std::vector<char> text(static_cast<std::size_t>(PATH_MAX) + 1);
        const ssize_t n = readlink(path.c_str(), text.data(), text.size() - 1);
        if (n <= 0)
            return path;
        const std::string pointed(text.data(), static_cast<std::size_t>(n));
        path = pointed.front() == '/' ? pointed : FolderOf(path) + "/" + pointed;
    }
}

std::string StageFile(const std::string& target, std::string_view bytes, NewFileMode mode)
{
    return StageFile(target, bytes, mode, StagingSteps{});
}

std::string StageFile(const std::string& target, std::string_view bytes, NewFileMode mode,
                      const StagingSteps& steps)
{
    const std::string resolved = FollowLinks(target);
    struct stat old {
    };
    const bool exists = CheckTarget(target, resolved, old);
    // A data file the user may not write stays so, as writing into it in place would have
    // refused; a rename would pass over its protection.
    if (exists && mode == NewFileMode::Data && access(resolved.c_str(), W_OK) != 0)
        FailToCreate(target, errno, "access", resolved);
    const std::string folder = FolderOf(resolved);
    if (steps.cleanFolder)
        RemoveAbandonedStagedFiles(folder);
    std::string staged;
    const int fd = CreateLockedStagedFile(target, folder, staged);
    try {
        FillStagedFile(fd, target, staged, bytes, exists ? &old : nullptr, mode, steps.flush);
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
    std::string folder;
    if (!MoveStagedFile(staged, target, folder))
        return false;
    SyncFolder(folder);
    return true;
}

bool MoveStagedFile(const std::string& staged, const std::string& target, std::string& folder)
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
    folder = FolderOf(resolved);
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
        FailToCreate(target, error, "rename", staged);
    }
}

} // namespace platform

namespace platform
{

namespace
{

bool IsWritable(int fd)
{
    const int flags = fcntl(fd, F_GETFL);
    return flags >= 0 && (flags & O_ACCMODE) != O_RDONLY;
}

// Whether `path` leads into a process's descriptor folder (/proc/PID/fd, or a thread's), as
// /dev/stdout does, through any links on the way but not through the descriptor's own entry,
// which leads on to the file. Such a name is a stream of the process, never a file to create
// there: when the entry is missing, the stream was closed.
bool NamesADescriptor(const std::string& path)
{
    std::string name = path;
    for (int followed = 0; followed <= kMaxLinks; ++followed) {
        char* real = realpath(FolderOf(name).c_str(), nullptr);
        if (!real)
            return false;
        const std::string folder(real);
        std::free(real);
        if (folder.starts_with("/proc/") && folder.ends_with("/fd"))
            return true;
        std::vector<char> text(static_cast<std::size_t>(PATH_MAX) + 1);
        const ssize_t n = readlink(name.c_str(), text.data(), text.size() - 1);
        if (n <= 0)
            return false;
        const std::string pointed(text.data(), static_cast<std::size_t>(n));
        name = pointed.front() == '/' ? pointed : folder + "/" + pointed;
    }
    return false;
}

// The descriptor to write `path` through, else -1. A name of a descriptor (/dev/stdout,
// /proc/thread-self/fd/N, /dev/fd/./N) is the stream the shell set up, and so is a file that is
// our standard output: writing there keeps its position and `>>`'s appending, where replacing
// the file would drop what it held. Any other file is replaced, whatever descriptors the caller
// holds on it: one held open read-write (a lock, say) must not get the new bytes over the old.
// The lowest descriptor of the same file (device and inode) open for writing is used.
int OwnDescriptor(const std::string& path)
{
    struct stat named {
    };
    // Looked at before the listing below opens a descriptor of its own.
    if (stat(path.c_str(), &named) != 0)
        return -1;
    const bool anyStream = NamesADescriptor(path);
    DIR* dir = opendir("/proc/self/fd");
    if (!dir)
        return -1;
    int own = -1;
    while (const dirent* entry = readdir(dir)) {
        int fd = -1;
        const std::string_view name = entry->d_name;
        if (std::from_chars(name.data(), name.data() + name.size(), fd).ec != std::errc() ||
            fd == dirfd(dir) || (own >= 0 && fd > own) || (!anyStream && fd != STDOUT_FILENO))
            continue;
        struct stat open {
        };
        if (fstat(fd, &open) == 0 && open.st_dev == named.st_dev && open.st_ino == named.st_ino &&
            IsWritable(fd))
            own = fd;
    }
    closedir(dir);
    return own;
}
} // namespace

void WriteOutputFile(const std::string& path, std::string_view bytes, NewFileMode mode)
{
    if (const int own = OwnDescriptor(path); own >= 0) {
        if (!WriteAll(own, bytes))
            FailToCreate(path, errno, "write", path);
        return;
    }
    struct stat info {
    };
    if (stat(path.c_str(), &info) != 0 && errno == ENOENT && NamesADescriptor(path))
        FailToCreate(path, EBADF, "open", path);
    if (stat(path.c_str(), &info) != 0 || !(S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode))) {
        ReplaceFile(path, bytes, mode);
        return;
    }
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        FailToCreate(path, errno, "open", path);
    const bool written = WriteAll(fd, bytes);
    const int error = errno;
    if (close(fd) != 0 && written)
        FailToCreate(path, errno, "close", path);
    if (!written)
        FailToCreate(path, error, "write", path);
}

} // namespace platform
