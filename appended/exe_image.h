#pragma once

#include <string>

namespace appended {

// The whole executable file, program image and appended data, byte for byte. Empty until
// LoadExeImage fills it; lives until the program ends.
std::string& ExeImage();

// Reads the running executable's file into ExeImage. Throws std::runtime_error with a clear
// message when the file cannot be read.
void LoadExeImage();

} // namespace appended
