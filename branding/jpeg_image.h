#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace branding
{

// How a decoded pixel is laid out in memory.
enum class PixelLayout {
    // Three bytes: red, green, blue.
    Rgb24,
    // One 32-bit word 0xFFRRGGBB in the machine's byte order: the layout in which the window
    // system's images are painted, so the pixels need no conversion on their way to the screen.
    Xrgb32,
};

// A decoded image: rows top to bottom in `layout`, no padding.
struct RgbImage {
    int width = 0;
    int height = 0;
    PixelLayout layout = PixelLayout::Rgb24;
    std::vector<std::uint8_t> rgb;
};

// Decodes JPEG file bytes (greyscale, colour or CMYK are all given as RGB) into `layout`. Throws
// std::runtime_error whose message begins "Invalid JPEG image: " when the bytes are not a JPEG
// image libjpeg can decode, or the image is larger than kMaxJpegPixels.
RgbImage DecodeJpeg(std::string_view bytes, PixelLayout layout = PixelLayout::Rgb24);

// The largest image DecodeJpeg accepts, so a forged header cannot ask for gigabytes.
inline constexpr std::uint64_t kMaxJpegPixels = 64ull * 1024 * 1024;

} // namespace branding
