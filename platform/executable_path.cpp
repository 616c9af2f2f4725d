#include "platform/executable_path.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <unistd.h>

namespace platform
{

namespace
{
std::string g_override;
}

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
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string ExecutableFolder()
{
    const std::string path = ExecutablePath();
    return path.substr(0, path.find_last_of('/') + 1);
}

void OverrideExecutablePath(const std::string& path)
{
    g_override = path;
}

} // namespace platform
