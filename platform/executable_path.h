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

// Makes ExecutablePath answer `path` while it lives, and restores the answer it replaced when it
// ends. Scopes nest. Meant for tests that need the program to live somewhere else.
class ScopedExecutablePath
{
public:
    explicit ScopedExecutablePath(std::string path);
    ~ScopedExecutablePath();
    ScopedExecutablePath(const ScopedExecutablePath&) = delete;
    ScopedExecutablePath& operator=(const ScopedExecutablePath&) = delete;

private:
    std::string previous_;
};

} // namespace platform
