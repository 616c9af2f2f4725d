#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace gen
{

// The bytes in base64 with the standard alphabet and '=' padding, as a policy's hash source
// writes a digest.
std::string Base64(std::span<const std::uint8_t> bytes);

} // namespace gen
