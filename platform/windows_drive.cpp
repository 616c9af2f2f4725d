#include "platform/windows_drive.h"

#include <cstdlib>
#include <pwd.h>
#include <stdexcept>
#include <unistd.h>

namespace platform
{

std::string WindowsDriveRoot()
{
    std::string root;
    if (const char* home = std::getenv("HOME"); home && *home)
        root = home;
    else if (const passwd* account = getpwuid(getuid()); account && account->pw_dir)
        root = account->pw_dir;
    if (root.empty())
        throw std::runtime_error("Cannot find the home folder of the user.");
    // "/" stays as it is, so that joining a name with '/' still gives an absolute path.
    while (root.size() > 1 && root.back() == '/')
        root.pop_back();
    return root == "/" ? std::string() : root;
}

} // namespace platform
