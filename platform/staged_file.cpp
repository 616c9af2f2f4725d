#include "platform/staged_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform
{

namespace
{

[[noreturn]] void ThrowCannotCreate(const std::string& target, int error)
{
    throw std::runtime_error("Cannot create file \"" + target + "\". " + std::strerror(error));
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The permissions a new executable gets: rwxr-xr-x as far as the umask allows.
mode_t ExecutableMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0755 & ~mask;
}

} // namespace

std::string StageFile(const std::string& target, std::string_view bytes)
{
    std::string pattern = target + ".new-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0)
        ThrowCannotCreate(target, errno);
    const std::string staged(name.data());
    int error = WriteAll(fd, bytes) ? 0 : (errno ? errno : EIO);
    if (!error && fchmod(fd, ExecutableMode()) != 0)
        error = errno;
    if (close(fd) != 0 && !error)
        error = errno;
    if (error) {
        unlink(staged.c_str());
        ThrowCannotCreate(target, error);
    }
    return staged;
}

bool CommitStagedFile(const std::string& staged, const std::string& target)
{
    return std::rename(staged.c_str(), target.c_str()) == 0;
}

void DiscardStagedFile(const std::string& staged)
{
    unlink(staged.c_str());
}

} // namespace platform
