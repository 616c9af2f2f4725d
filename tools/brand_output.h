#pragma once

#include <string>
#include <string_view>

namespace tools
{

// Writes `bytes` to `path` through a temporary file in the same folder that is renamed over
// `path` only when every byte is written, so a failure leaves no output and no half file. The
// file gets the permission bits of `modeFrom`. Throws std::runtime_error with a clear message.
void WriteOutputFile(const std::string& path, std::string_view bytes, const std::string& modeFrom);

} // namespace tools
