#include "platform/executable_path.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform
{

namespace
{

std::string g_override;

// The kernel names the file of a program whose file has been removed meanwhile "<path> (deleted)".
// Callers want the path itself: to report it, or to find out that nothing is there any more.
std::string WithoutRemovedMark(std::string path)
{
    constexpr std::string_view kMark = " (deleted)";
    struct stat info {
    };
    if (path.ends_with(kMark) && stat(path.c_str(), &info) != 0)
        path.resize(path.size() - kMark.size());
    return path;
}

} // namespace

std::string ExecutablePath()
{
    if (!g_override.empty())
        return g_override;
    std::string path(256, '\0');
    for (;;) {
        const ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
        if (n < 0)
            throw std::runtime_error(std::string("Cannot find the program's own file. ") +
                                     std::strerror(errno));
        if (static_cast<std::size_t>(n) < path.size()) {
            path.resize(static_cast<std::size_t>(n));
            return WithoutRemovedMark(std::move(path));
        }
        path.resize(path.size() * 2);
    }
}

std::string ExecutableFolder()
{
    const std::string path = ExecutablePath();
    return path.substr(0, path.find_last_of('/') + 1);
}

ScopedExecutablePath::ScopedExecutablePath(std::string path)
    : previous_(std::exchange(g_override, std::move(path)))
{
}

ScopedExecutablePath::~ScopedExecutablePath()
{
    g_override = std::move(previous_);
}

} // namespace platform
