#include "platform/file_attributes.h"

#include <sys/stat.h>
#include <sys/statvfs.h>

namespace platform
{

std::uint32_t FileGetAttr(const std::string& path)
{
    struct stat info {
    };
    if (stat(path.c_str(), &info) != 0)
        return kInvalidFileAttributes;
    std::uint32_t attributes = S_ISDIR(info.st_mode) ? kFileAttributeDirectory : 0;
    struct statvfs volume {
    };
    // Media that cannot be written (a read-only mount) make every file on it read-only, whatever
    // its permission bits say, just as a file on a CD carries the read-only attribute.
    const bool readOnlyMount = statvfs(path.c_str(), &volume) == 0 && (volume.f_flag & ST_RDONLY);
    if (readOnlyMount || !(info.st_mode & S_IWUSR))
        attributes |= kFileAttributeReadOnly;
    return attributes;
}

bool FileSetAttr(const std::string& path, std::uint32_t attributes)
{
    struct stat info {
    };
    if (stat(path.c_str(), &info) != 0)
        return false;
    const mode_t permissions = info.st_mode & 07777;
    const mode_t wanted =
        (attributes & kFileAttributeReadOnly) ? (permissions & ~S_IWUSR) : (permissions | S_IWUSR);
    return chmod(path.c_str(), wanted) == 0;
}

} // namespace platform
