#pragma once

#include <climits>
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

// The size of the view an image is shown in, centred and unscaled.
struct ViewSize {
    int width = INT_MAX;
    int height = INT_MAX;
};

// Decodes JPEG file bytes (greyscale, colour, CMYK and YCCK are all given as RGB) as far as a
// view of `view` shows them: an image that fits comes whole, a larger one as the middle
// view.width x view.height pixels it shows when centred (the leftmost shown column is
// image width / 2 - view width / 2, each half rounded down, and likewise for rows). Only those rows
// and columns are decoded where the file allows it. Throws std::runtime_error whose message
// begins "Invalid JPEG image: " when the bytes are not a JPEG image libjpeg can decode, the
// image has more than kMaxJpegPixels (kMaxBufferedJpegPixels when it comes in several scans,
// which need the whole picture in memory), or it has more than kMaxJpegScans scans.
RgbImage DecodeJpeg(std::string_view bytes, ViewSize view = {});

// The largest image DecodeJpeg accepts, so a forged header cannot ask for gigabytes or minutes.
inline constexpr std::uint64_t kMaxJpegPixels = 64ull * 1024 * 1024;
// The largest image in several scans (progressive ones): libjpeg keeps all its coefficients,
// two bytes per pixel and colour component, until the last scan is read.
inline constexpr std::uint64_t kMaxBufferedJpegPixels = 4ull * 1024 * 1024;
// The most scans an image may have; each one is a pass over the whole picture.
inline constexpr int kMaxJpegScans = 100;

} // namespace branding
