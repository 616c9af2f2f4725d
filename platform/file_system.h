#pragma once

#include <string>

namespace platform
{

// True when a file of that name exists; a folder is no file. A link counts as what it points to.
bool FileExists(const std::string& path);

enum class DeleteOutcome {
    Deleted, // the file was removed
    Missing, // there was no such file to remove
    Failed,  // the file is there and could not be removed
};

// One attempt to remove the file `path` (never a folder).
DeleteOutcome DeleteFileOnce(const std::string& path);

// Creates the folder `path`; whether that worked is not reported (an existing folder is fine).
void CreateFolder(const std::string& path);

// Makes `path` the current folder. Throws std::runtime_error when it cannot.
void SetCurrentFolder(const std::string& path);

} // namespace platform
