#pragma once

#include <string>
#include <string_view>

namespace tools
{

// Writes `bytes` to `path` through a file staged in the same folder that is renamed over `path`
// only when every byte is written, so a failure leaves no output and no half file. The result
// is executable. Throws std::runtime_error with a clear message.
void WriteOutputFile(const std::string& path, std::string_view bytes);

} // namespace tools
