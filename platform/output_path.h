#pragma once

#include <string>

namespace platform
{

// Why `relative` (a path below `folder` by name, without "..") is no place to write a file,
// or "" when it is one: every folder on the way exists and is a real folder, none of them and
// not the file itself is a symbolic link (which could lead out of `folder`), and the file, if
// there, is a regular file. Answers what the file system says at the moment of the call.
std::string OutputPathProblem(const std::string& folder, const std::string& relative);

} // namespace platform
