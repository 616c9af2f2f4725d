#include "platform/file_system.h"
#include "platform/quoted_name.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <stdexcept>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{

bool FileExists(const std::string& path)
{
    struct stat info {
    };
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

DeleteOutcome DeleteFileOnce(const std::string& path)
{
    if (unlink(path.c_str()) == 0)
        return DeleteOutcome::Deleted;
    // A dangling name or a missing folder on the way both mean there is nothing left to remove.
    return (errno == ENOENT || errno == ENOTDIR) ? DeleteOutcome::Missing : DeleteOutcome::Failed;
}

void CreateFolder(const std::string& path)
{
    if (mkdir(path.c_str(), 0777) == 0)
        return;
    const int error = errno;
    struct stat info {
    };
    if (error == EEXIST && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return;
    throw std::runtime_error("Cannot create folder " + QuotedName(path) + ". " +
                             std::strerror(error) + " (mkdir)");
}

void SetCurrentFolder(const std::string& path)
{
    if (chdir(path.c_str()) != 0)
        throw std::runtime_error("Cannot change to folder " + QuotedName(path) + ". " +
                                 std::strerror(errno) + " (chdir)");
}

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat first {
    }, second{};
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::vector<std::string> FindNamesIgnoringCase(const std::string& folder, const std::string& name)
{
    std::vector<std::string> paths;
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return paths;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    // strcasecmp in the C locale compares ASCII letters only, as wanted here.
    while (const dirent* entry = readdir(dir)) {
        if (strcasecmp(entry->d_name, name.c_str()) == 0)
            paths.push_back(prefix + entry->d_name);
    }
    closedir(dir);
    return paths;
}

const char* FileKindName(mode_t mode)
{
    if (S_ISREG(mode))
        return "a regular file";
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISSOCK(mode))
        return "a socket";
    if (S_ISLNK(mode))
        return "a symbolic link";
    return "a device";
}

} // namespace platform
