#include "platform/exe_image.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "platform/executable_path.h"

namespace platform
{

namespace
{

std::runtime_error FileError(const char* what, const std::string& path)
{
    return std::runtime_error(std::string(what) + " file \"" + path + "\". " +
                              std::strerror(errno));
}

// Owns a descriptor so every early exit closes it.
class FileHandle
{
public:
    explicit FileHandle(int fd) : fd_(fd) {}
    ~FileHandle()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

std::string& ExeImage()
{
    static std::string image;
    return image;
}

ScopedExeImage::ScopedExeImage(std::string image)
    : previous_(std::exchange(ExeImage(), std::move(image)))
{
}

ScopedExeImage::~ScopedExeImage()
{
    ExeImage() = std::move(previous_);
}

void ReadWholeFile(const std::string& path, std::string& bytes)
{
    FileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        throw FileError("Cannot open", path);
    struct stat info {
    };
    if (::fstat(file.get(), &info) != 0)
        throw FileError("Cannot read", path);
    // The size is known before anything is allocated, so a file that is not a plain file or
    // that the machine cannot hold is refused instead of half read.
    if (!S_ISREG(info.st_mode) || static_cast<std::uint64_t>(info.st_size) > bytes.max_size())
        throw std::runtime_error("Cannot read file \"" + path + "\". It is not a readable file.");
    std::string buffer(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t n = ::read(file.get(), buffer.data() + done, buffer.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw FileError("Cannot read", path);
        if (n == 0)
            throw std::runtime_error("Cannot read file \"" + path + "\". It ended early.");
        done += static_cast<std::size_t>(n);
    }
    bytes = std::move(buffer);
}

void LoadExeImage()
{
    ReadWholeFile(platform::ExecutablePath(), ExeImage());
}

} // namespace platform
