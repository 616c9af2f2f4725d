#pragma once

#include <climits>
#include <cstddef>
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

// The size of the view an image is shown in, centred and unscaled.
struct ViewSize {
    int width = INT_MAX;
    int height = INT_MAX;
};

// Decodes JPEG file bytes (greyscale, colour, CMYK and YCCK all come as RGB, in `layout`) as far as
// a view of `view` shows them: an image that fits comes whole, a larger one as the middle
// view.width x view.height pixels it shows when centred (the leftmost shown column is
// image width / 2 - view width / 2, each half rounded down, and likewise for rows). Only those rows
// and columns are decoded where the file allows it. Throws std::runtime_error whose message
// begins "Invalid JPEG image: " when the bytes are not a JPEG image libjpeg can decode, the
// image has more than kMaxJpegPixels (kMaxBufferedJpegPixels when it comes in several scans,
// which need the whole picture in memory), or it has more than kMaxJpegScans scans, or it is
// arithmetic-coded in more than kMaxArithmeticJpegBytes or with scans that together cover more
// than kMaxArithmeticJpegPixelScans pixels.
RgbImage DecodeJpeg(std::string_view bytes, ViewSize view = {},
                    PixelLayout layout = PixelLayout::Rgb24);

// The largest image DecodeJpeg accepts, so a forged header cannot ask for gigabytes or minutes.
inline constexpr std::uint64_t kMaxJpegPixels = 64ull * 1024 * 1024;
// The largest image in several scans (progressive ones): libjpeg keeps all its coefficients,
// two bytes per pixel and colour component, until the last scan is read.
inline constexpr std::uint64_t kMaxBufferedJpegPixels = 4ull * 1024 * 1024;
// The most scans an image may have; each one is a pass over the whole picture.
inline constexpr int kMaxJpegScans = 100;
// Arithmetic decoding costs several times what Huffman decoding does, per byte and per pixel of
// each scan, and a nearly empty file can describe a large picture: these bound its time.
inline constexpr std::size_t kMaxArithmeticJpegBytes = 1024 * 1024;
inline constexpr std::uint64_t kMaxArithmeticJpegPixelScans = 16ull * 1024 * 1024;

} // namespace branding
