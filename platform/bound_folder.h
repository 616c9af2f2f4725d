#pragma once

#include <string>
#include <string_view>
#include <sys/stat.h>

#include "platform/staged_file.h"

namespace platform
{

// A folder held open by its descriptor, so that every name looked at, staged or replaced in it
// is in that very folder, whatever is renamed or swapped for a link on the way to it meanwhile.
// What was checked in it is what is written.
//
// Errors throw std::runtime_error as ReplaceFile does, naming `target`, the file being written.
class BoundFolder
{
public:
    // Opens the folder `path`; links on the way are followed, as the caller chose the path.
    BoundFolder(const std::string& path, const std::string& target);
    // Opens `relative` below `parent` one name at a time, never following a link: a link or
    // anything but a folder on the way is refused, so the folder is always inside `parent`.
    BoundFolder(const BoundFolder& parent, const std::string& relative, const std::string& target);
    BoundFolder(BoundFolder&& other) noexcept;
    BoundFolder& operator=(BoundFolder&& other) noexcept;
    ~BoundFolder();
    BoundFolder(const BoundFolder&) = delete;
    BoundFolder& operator=(const BoundFolder&) = delete;

    int Descriptor() const { return fd_; }
    // The folder's path as given, for messages.
    const std::string& Path() const { return path_; }
    std::string PathOf(const std::string& name) const;

    // What `name` is, the name itself and no file it may link to; false when there is no such
    // name. Throws for any other failure.
    bool Look(const std::string& name, struct stat& info, const std::string& target) const;

    // Refuses a `name` that is there and is not a regular file (a link included), and a data
    // file the process may not write. Returns whether it is there, with what it is in `info`.
    bool CheckTarget(const std::string& name, struct stat& info, NewFileMode mode,
                     const std::string& target) const;

    // Writes `bytes` to a new staged file in this folder (named as StageFile names one) with
    // the mode, owner and group of `old` (or `mode` for a new file), flushed when `flush`, and
    // returns its name in the folder with its inode in `staged`.
    std::string Stage(std::string_view bytes, const struct stat* old, NewFileMode mode, bool flush,
                      const std::string& target, struct stat& staged) const;
    // Moves the staged file over `name` in one rename. The name itself is replaced, never a
    // file a link there leads to.
    void Move(const std::string& staged, const std::string& name, const std::string& target) const;
    void Discard(const std::string& staged) const;
    // Removes the file's leftover staged files of ended writers, as StageFile does.
    void Clean() const;
    // Makes the folder's entries durable; best effort, as a folder may refuse a flush.
    void Sync() const;

private:
    int fd_ = -1;
    std::string path_;
};

} // namespace platform
