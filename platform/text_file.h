#pragma once

#include <string>
#include <string_view>

namespace platform
{

// Creates or replaces the file at `path` with exactly `bytes`. A file that cannot be created or
// written throws std::runtime_error with the message
//   Cannot create file "<path>". <the system's error text>
void WriteFileReplacing(const std::string& path, std::string_view bytes);

} // namespace platform
