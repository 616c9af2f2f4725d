#pragma once

#include <string>

namespace platform
{

// The full path of the running executable, as the kernel gives it (/proc/self/exe), also after
// its file has been removed (nothing exists under the path then). Throws std::runtime_error when
// it cannot be read.
std::string ExecutablePath();

// The executable's folder: its full path up to and including the last '/'.
std::string ExecutableFolder();

// Makes ExecutablePath answer `path` from now on; an empty path restores the real one.
// Meant for tests that need the program to live somewhere else.
void OverrideExecutablePath(const std::string& path);

} // namespace platform
