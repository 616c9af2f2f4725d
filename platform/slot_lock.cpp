#include "platform/slot_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{

namespace
{

// An open, locked descriptor for `path`, or -1 when another holds it or it cannot be opened.
int TakeLock(const std::string& path)
{
    // A holder removes its file as it lets go, so a descriptor opened just before that names a
    // file no longer in the folder: locking it would hold nothing that others see. Such a lock
    // is given back and the name opened again, which a few tries settle.
    for (int attempt = 0; attempt < 4; ++attempt) {
        const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0)
            return -1;
        int locked;
        do
            locked = flock(fd, LOCK_EX | LOCK_NB);
        while (locked != 0 && errno == EINTR);
        if (locked != 0) {
            close(fd);
            return -1;
        }
        struct stat opened;
        struct stat named;
        if (fstat(fd, &opened) == 0 && stat(path.c_str(), &named) == 0 &&
            opened.st_dev == named.st_dev && opened.st_ino == named.st_ino)
            return fd;
        close(fd);
    }
    return -1;
}

} // namespace

SlotLock::SlotLock(const std::string& folder, std::string_view stem, int slots)
{
    if (folder.empty())
        return;
    const std::string prefix = folder + (folder.back() == '/' ? "" : "/") + std::string(stem) + "-";
    for (int n = 0; n < slots; ++n) {
        std::string path = prefix + std::to_string(n) + ".lock";
        const int fd = TakeLock(path);
        if (fd >= 0) {
            fd_ = fd;
            number_ = n;
            path_ = std::move(path);
            return;
        }
    }
}

SlotLock::~SlotLock()
{
    if (fd_ < 0)
        return;
    // Removed while still locked, so nobody takes the slot through a name about to go.
    unlink(path_.c_str());
    close(fd_);
}

} // namespace platform
