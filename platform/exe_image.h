#pragma once

#include <string>

namespace platform
{

// The whole executable file, program image and appended data, byte for byte. Empty until
// LoadExeImage fills it; lives until the program ends.
std::string& ExeImage();

// Makes ExeImage hold `image` while it lives, and puts back what it held before when it ends.
// Scopes nest. Meant for tests and measurements that stand in for the program's own file.
class ScopedExeImage
{
public:
    explicit ScopedExeImage(std::string image = {});
    ~ScopedExeImage();
    ScopedExeImage(const ScopedExeImage&) = delete;
    ScopedExeImage& operator=(const ScopedExeImage&) = delete;

private:
    std::string previous_;
};

// Reads the running executable's file into ExeImage. Throws std::runtime_error with a clear
// message when the file cannot be read; ExeImage is then left as it was.
void LoadExeImage();

// Reads the file at `path` into `bytes` with one sized read that must deliver every byte the
// file had when it was opened. Throws std::runtime_error (and leaves `bytes` alone) when the
// file cannot be opened, is not a regular file (refused without waiting, a FIFO too), or
// delivers fewer bytes.
void ReadWholeFile(const std::string& path, std::string& bytes);

} // namespace platform
