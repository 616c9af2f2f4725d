#pragma once

#include <cstddef>
#include <stdexcept>

namespace branding
{

// What start-up reads of the appended data at most: far more than the window can show, and
// little enough that a hostile file cannot make the program slow or large before it appears.
inline constexpr std::size_t kMaxTitleBytes = 4096;
inline constexpr std::size_t kMaxCaptionBytes = 4096;
inline constexpr std::size_t kMaxAddressBytes = 2048;
inline constexpr std::size_t kMaxTrailerFields = 64;
// Room for the three fields with every byte a doubled quote, and for the fields beyond them.
inline constexpr std::size_t kMaxTrailerText = 32 * 1024;
inline constexpr std::size_t kMaxImageSectionBytes = 8 * 1024 * 1024;

// Appended data refused because it is larger than start-up reads; the message names the limit.
class LimitExceeded : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace branding
