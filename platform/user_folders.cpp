#include "platform/user_folders.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/quoted_name.h"
#include "platform/windows_drive.h"

namespace platform
{

namespace
{

constexpr std::array<std::string_view, 11> kSystemFolders = {"/usr",   "/bin",   "/sbin",   "/lib",
                                                             "/lib32", "/lib64", "/libx32", "/opt",
                                                             "/etc",   "/boot",  "/snap"};

bool IsInside(std::string_view path, std::string_view folder)
{
    return path.substr(0, folder.size()) == folder &&
           (path.size() == folder.size() || path[folder.size()] == '/');
}

bool IsSystemFolder(std::string_view path)
{
    for (const std::string_view folder : kSystemFolders)
        if (IsInside(path, folder))
            return true;
    return false;
}

// Links are followed: users often move their cache elsewhere through one, and only the user can
// place a link inside the user's own folders.
bool IsOwnFolder(const std::string& path)
{
    struct stat info {
    };
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid();
}

// The folder the program makes for itself is taken only as a real folder of the user's that no
// one else may write into: a link planted in its place (in a shared cache folder, say) or a
// folder others can fill would send the preview wherever they choose.
bool IsPrivateFolder(const std::string& path)
{
    struct stat info {
    };
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
           (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

std::string AbsoluteVariable(const char* name)
{
    const char* value = std::getenv(name);
    // Relative values are invalid for these variables and would name a folder that moves with
    // the working folder.
    return value && value[0] == '/' ? std::string(value) : std::string();
}

void MakeOwnFolder(const std::string& path)
{
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        throw std::runtime_error("Cannot create folder " + QuotedName(path) + ". " +
                                 std::strerror(errno) + " (mkdir)");
    if (!IsOwnFolder(path))
        throw std::runtime_error("The folder " + QuotedName(path) +
                                 " is not the user's own folder.");
}

std::string BaseFolder()
{
    const std::string runtime = AbsoluteVariable("XDG_RUNTIME_DIR");
    if (!runtime.empty() && IsOwnFolder(runtime))
        return runtime;
    std::string cache = AbsoluteVariable("XDG_CACHE_HOME");
    if (cache.empty())
        cache = WindowsDriveRoot() + "/.cache";
    MakeOwnFolder(cache);
    return cache;
}

} // namespace

bool FolderIsUsersToWrite(const std::string& folder)
{
    struct stat info {
    };
    if (folder.empty() || folder.front() != '/' || IsSystemFolder(folder) ||
        stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != geteuid())
        return false;
    // Answers for the effective user, and refuses a read-only mount even to root.
    return faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

std::string UserRuntimeFolder()
{
    std::string base = BaseFolder();
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    const std::string folder = base + "/sitewright";
    MakeOwnFolder(folder);
    if (!IsPrivateFolder(folder))
        throw std::runtime_error("The folder " + QuotedName(folder) +
                                 " is a link or open to other users; it is not used.");
    return folder + "/";
}

} // namespace platform
