#include "platform/file_system.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{

bool FileExists(const std::string& path)
{
    struct stat info {
    };
    return stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
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
    mkdir(path.c_str(), 0777);
}

void SetCurrentFolder(const std::string& path)
{
    if (chdir(path.c_str()) != 0)
        throw std::runtime_error("Cannot change to folder \"" + path + "\". " +
                                 std::strerror(errno));
}

} // namespace platform
