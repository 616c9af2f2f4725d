#include "tools/brand_output.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace tools
{

namespace
{

[[noreturn]] void Fail(const std::string& path, int error)
{
    throw std::runtime_error("Cannot write file \"" + path + "\". " + std::strerror(error));
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

void WriteOutputFile(const std::string& path, std::string_view bytes, const std::string& modeFrom)
{
    struct stat info {
    };
    const mode_t mode = ::stat(modeFrom.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0755;
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        Fail(path, errno);
    const bool written = WriteAll(fd, bytes) && ::fchmod(fd, mode) == 0;
    const int error = errno;
    if (::close(fd) != 0 || !written || ::rename(temp.c_str(), path.c_str()) != 0) {
        const int reported = written ? errno : error;
        ::unlink(temp.c_str());
        Fail(path, reported);
    }
}

} // namespace tools
