#include "platform/read_only_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_system.h"
#include "platform/quoted_name.h"

namespace platform
{

ReadOnlyFile::ReadOnlyFile(const std::string& path) : path_(path)
{
    // What is not a regular file is refused before it is opened, as opening a device may do
    // something. O_NONBLOCK keeps the open of a FIFO put in its place meanwhile from waiting for
    // a writer; the type is checked again on what was opened.
    struct stat info {
    };
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        Refuse(info.st_mode);
    Open(AT_FDCWD, path.c_str(), 0);
}

ReadOnlyFile::ReadOnlyFile(int folder, const std::string& name, const std::string& path)
    : path_(path)
{
    struct stat info {
    };
    if (::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISREG(info.st_mode))
        Refuse(info.st_mode);
    Open(folder, name.c_str(), O_NOFOLLOW);
}

ReadOnlyFile::ReadOnlyFile(int fd, const std::string& path, std::int64_t size)
    : path_(path), fd_(fd), size_(size)
{
    ::fstat(fd_, &info_);
}

ReadOnlyFile::ReadOnlyFile(ReadOnlyFile&& other) noexcept
    : path_(std::move(other.path_)), fd_(other.fd_), size_(other.size_), info_(other.info_)
{
    other.fd_ = -1;
}

void ReadOnlyFile::Open(int folder, const char* name, int flags)
{
    struct stat& info = info_;
    fd_ = ::openat(folder, name, O_RDONLY | O_NONBLOCK | O_CLOEXEC | flags);
    if (fd_ < 0)
        Fail("Cannot open", "open");
    if (::fstat(fd_, &info) != 0) {
        const int error = errno;
        ::close(fd_);
        errno = error;
        Fail("Cannot read", "fstat");
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd_);
        Refuse(info.st_mode);
    }
    size_ = info.st_size;
}

void ReadOnlyFile::Refuse(unsigned mode) const
{
    throw std::runtime_error("Cannot read file " + QuotedName(path_) + ". It is " +
                             FileKindName(static_cast<mode_t>(mode)) + ", not a regular file.");
}

ReadOnlyFile::~ReadOnlyFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void ReadOnlyFile::Fail(const char* what, const char* call) const
{
    const int error = errno;
    throw std::runtime_error(std::string(what) + " file " + QuotedName(path_) + ". " +
                             std::strerror(error) + " (" + call + ")");
}

std::string ReadOnlyFile::ReadAt(std::int64_t offset, std::size_t count) const
{
    std::string bytes(count, '\0');
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::pread(fd_, bytes.data() + done, count - done,
                                  static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            Fail("Cannot read", "pread");
        if (n == 0)
            throw std::runtime_error("The file " + QuotedName(path_) + " ended early.");
        done += static_cast<std::size_t>(n);
    }
    return bytes;
}

std::string ReadOnlyFile::ReadAll() const
{
    if (static_cast<std::uint64_t>(size_) > std::string().max_size())
        throw std::runtime_error("Cannot read file " + QuotedName(path_) + ". It is too large.");
    return ReadAt(0, static_cast<std::size_t>(size_));
}

ReadOnlyFile ReadOnlyFile::PrivateCopy() const
{
    const int copy = ::memfd_create("sitewright-copy", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (copy < 0)
        Fail("Cannot read", "memfd_create");
    ReadOnlyFile result(copy, path_, size_);
    // Small chunks keep the copy from adding to the process's own memory.
    constexpr std::size_t kChunk = 64 * 1024;
    for (std::int64_t done = 0; done < size_;) {
        const std::string bytes =
            ReadAt(done, static_cast<std::size_t>(std::min<std::int64_t>(kChunk, size_ - done)));
        for (std::size_t written = 0; written < bytes.size();) {
            const ssize_t n = ::write(copy, bytes.data() + written, bytes.size() - written);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                Fail("Cannot read", "write");
            written += static_cast<std::size_t>(n);
        }
        done += static_cast<std::int64_t>(bytes.size());
    }
    ::fcntl(copy, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE | F_SEAL_SEAL);
    return result;
}

} // namespace platform
