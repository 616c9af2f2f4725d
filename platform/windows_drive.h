#pragma once

#include <string>

namespace platform
{

// The folder that stands for the root of the Windows drive: the user's home directory ($HOME,
// or the home directory of the user's account when HOME is unset or empty), without a trailing
// '/', so that root + "/" + name names a file in it (a home of "/" gives the empty string).
// Throws std::runtime_error when neither is known.
std::string WindowsDriveRoot();

} // namespace platform
