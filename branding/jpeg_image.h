#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace branding
{

// A decoded image: rows top to bottom, three bytes (red, green, blue) per pixel, no padding.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

// Decodes JPEG file bytes (greyscale, colour or CMYK are all given as RGB). Throws
// std::runtime_error whose message begins "Invalid JPEG image: " when the bytes are not a JPEG
// image libjpeg can decode, or the image is larger than kMaxJpegPixels.
RgbImage DecodeJpeg(std::string_view bytes);

// The largest image DecodeJpeg accepts, so a forged header cannot ask for gigabytes.
inline constexpr std::uint64_t kMaxJpegPixels = 64ull * 1024 * 1024;

} // namespace branding
