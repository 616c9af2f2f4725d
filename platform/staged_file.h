#pragma once

#include <string>
#include <string_view>
#include <sys/stat.h>

namespace platform
{

// The one way a file is replaced. The new content is written in full to a staged file in the
// target's folder, flushed to the disk, and moved over the target in one rename, so the
// target's name always stands for the old file or the new one, whole, whatever fails or
// whenever the process is killed.
//
// - Only a regular file is replaced: a target that exists and is anything else (folder, device,
//   FIFO, socket) is refused before anything is opened for writing.
// - A target reached through symbolic links is replaced where the links point; the links stay.
//   At most 40 links are followed, as the kernel does; a longer chain is refused naming the
//   link where following stopped.
// - A replaced file keeps its permission bits, and its owner and group where the process may
//   set them. A new file gets `mode` (below), less the process umask.
// - The staged file has a short name of its own (".sw~<pid>-XXXXXX.sw-staged"), so any target
//   name the folder allows works. A staged file left by a killed process is removed by the next
//   process that stages a file in the same folder when nobody holds its lock and its writer has
//   ended or it has not changed for five minutes; one still being written is left alone, and so
//   is any file not of exactly that form, a link, a folder or a file with a second name.
//
// Errors throw std::runtime_error with the message
//   Cannot create file "<target>". <the system's error text> (<the call> "<its path>")
// with both names quoted by QuotedName, so the message is one line.
// and leave the target as it was and no staged file behind.

enum class NewFileMode {
    Data,       // rw-rw-rw-, less the umask
    Executable, // rwxr-xr-x, less the umask
};

// Replaces (or creates) `target` with exactly `bytes`. An existing data file that the process
// may not write is refused, as writing into it would be.
void ReplaceFile(const std::string& target, std::string_view bytes, NewFileMode mode);

// The same in two steps, for a caller that retries the move. StageFile writes the staged file
// (as an executable unless the target exists) and returns its path; CommitStagedFile moves it
// over `target`, returning false and leaving both as they were when that fails;
// DiscardStagedFile removes a staged file that will not be committed.
std::string StageFile(const std::string& target, std::string_view bytes,
                      NewFileMode mode = NewFileMode::Executable);
bool CommitStagedFile(const std::string& staged, const std::string& target);
void DiscardStagedFile(const std::string& staged);

// The steps of staging that StagedBatch does once for many files instead of once per file.
struct StagingSteps {
    bool flush = true;       // the staged file's bytes reach the disk before StageFile returns
    bool cleanFolder = true; // leftovers in the folder are removed first
};
std::string StageFile(const std::string& target, std::string_view bytes, NewFileMode mode,
                      const StagingSteps& steps);
// CommitStagedFile without flushing the folder: on success `folder` is the folder the file was
// moved into, for the caller to flush with SyncFolder.
bool MoveStagedFile(const std::string& staged, const std::string& target, std::string& folder);
void SyncFolder(const std::string& folder);
// The folder part of `path`: "." for a bare name, "/" for a name in the root folder.
std::string FolderOf(const std::string& path);
// Throws the std::runtime_error that the single replace and the batch both give when `call` on
// `path` failed with `error` while writing `target`, so that both report a failure alike.
[[noreturn]] void FailToCreate(const std::string& target, int error, const char* call,
                               const std::string& path);

// The pieces of staging that a folder-bound writer (bound_folder.h) shares with ReplaceFile:
// a fresh staged file's name, the filling of one (content, the mode, owner and group of `old` or
// `mode` for a new file, and a flush when `flush`), and the removal of the leftovers of ended
// writers in the folder open as `folder`.
std::string NewStagedName();
void FillStagedFile(int fd, const std::string& target, const std::string& staged,
                    std::string_view bytes, const struct stat* old, NewFileMode mode, bool flush);
void RemoveAbandonedStagedFilesAt(int folder);

// The path `target` leads to after following every symbolic link, the last component included;
// `target` itself when it is no link. A link that points nowhere leads to where it points.
std::string FollowLinks(const std::string& target);

} // namespace platform

namespace platform
{

// Writes a command's output to `path`, by the command-line convention. A name of one of the
// process's descriptors (/dev/stdout, /proc/self/fd/N, however spelled) and a file that is the
// process's standard output (same device and inode) are written through the lowest descriptor
// open for writing on that file, so the caller's stream keeps its position and `>>` its
// appending. Any other file is replaced with ReplaceFile, whatever other descriptors the caller
// holds on it (so a folder is refused), and a FIFO or a character device is written to as a
// stream; a name of a descriptor the process does not have open (/dev/stdout when standard
// output was closed) is refused with EBADF, since no file can be made there. Throws
// std::runtime_error as ReplaceFile does.
void WriteOutputFile(const std::string& path, std::string_view bytes, NewFileMode mode);

} // namespace platform
