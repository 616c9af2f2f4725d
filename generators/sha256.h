#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace gen
{

// The SHA-256 digest of the bytes, as a browser computes it to match a script or style
// against a policy's hash source.
std::array<std::uint8_t, 32> Sha256(std::string_view bytes);

} // namespace gen
