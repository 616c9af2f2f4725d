#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace platform
{

// True when a regular file of that name exists; a folder, device or FIFO is no file (nothing
// that could be read as data or replaced). A link counts as what it points to.
bool FileExists(const std::string& path);

enum class DeleteOutcome {
    Deleted, // the file was removed
    Missing, // there was no such file to remove
    Failed,  // the file is there and could not be removed
};

// One attempt to remove the file `path` (never a folder).
DeleteOutcome DeleteFileOnce(const std::string& path);

// Creates the folder `path`; an existing folder is fine. Throws std::runtime_error naming the
// call, the path and the system's error text when there is no folder of that name afterwards.
void CreateFolder(const std::string& path);

// Makes `path` the current folder. Throws std::runtime_error when it cannot.
void SetCurrentFolder(const std::string& path);

// True when both paths lead to one and the same existing file (device and inode), through
// links, relative names or different spellings alike.
bool SameFile(const std::string& a, const std::string& b);

// The paths of the entries of `folder` whose names equal `name` in ASCII letters of any case,
// as a case-insensitive file system would resolve it. Empty when the folder cannot be read.
std::vector<std::string> FindNamesIgnoringCase(const std::string& folder, const std::string& name);

// "a folder", "a FIFO", "a socket", "a symbolic link", "a device" or "a regular file", for
// messages.
const char* FileKindName(mode_t mode);

} // namespace platform
