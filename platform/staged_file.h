#pragma once

#include <string>
#include <string_view>

namespace platform
{

// Replacing an executable in two steps, so that its name never stands for a missing or half
// written file: the new content is first written in full to a fresh file beside the target,
// then moved over the target in one rename.

// Writes `bytes` to a new, uniquely named file in the folder of `target`, makes it executable
// (rwxr-xr-x, less the process umask) and closes it. Returns the new file's path. Throws
// std::runtime_error with the message
//   Cannot create file "<target>". <the system's error text>
// when the file cannot be created or written in full; nothing is left behind then.
std::string StageFile(const std::string& target, std::string_view bytes);

// Moves the staged file over `target` (which may or may not exist) in one step. Returns false,
// and leaves both files as they were, when that fails.
bool CommitStagedFile(const std::string& staged, const std::string& target);

// Removes a staged file that will not be committed.
void DiscardStagedFile(const std::string& staged);

} // namespace platform
