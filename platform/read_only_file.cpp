#include "platform/read_only_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
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
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
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

} // namespace platform
