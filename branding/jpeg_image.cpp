#include "branding/jpeg_image.h"

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

#include <jpeglib.h>

namespace branding
{

namespace
{

// What libjpeg may allocate for whole-image buffers: far above what the pixel limits let pass,
// a second line of defence should a header get past them.
constexpr long kMaxLibjpegMemory = 96L * 1024 * 1024;

// The widest block of pixels one sample of a colour component may cover (4:2:0 doubles 8).
constexpr JDIMENSION kCropMargin = 32;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// libjpeg's own error_exit would end the process; this one returns to DecodeInto instead.
// A C++ exception must not travel through libjpeg's C frames, hence the jump.
[[noreturn]] void JumpOut(j_common_ptr info)
{
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings (a truncated file, say) are not printed to stderr; the image decodes as far as it can.
void Quiet(j_common_ptr, int) {}

std::uint64_t Pixels(const jpeg_decompress_struct& info)
{
    return std::uint64_t{info.image_width} * info.image_height;
}

// Called while libjpeg reads the scans of a multi-scan image: stops a file of endless scans,
// and arithmetic-coded scans beyond their budget.
void CountScans(j_common_ptr common)
{
    auto* info = reinterpret_cast<j_decompress_ptr>(common);
    auto* errors = reinterpret_cast<ErrorManager*>(common->err);
    const auto scans = static_cast<std::uint64_t>(info->input_scan_number);
    if (info->input_scan_number > kMaxJpegScans) {
        std::snprintf(errors->message, sizeof errors->message,
                      "it has more than %d scans, too many to decode", kMaxJpegScans);
        std::longjmp(errors->jump, 1);
    }
    if (info->arith_code && scans * Pixels(*info) > kMaxArithmeticJpegPixelScans) {
        std::snprintf(errors->message, sizeof errors->message,
                      "its %llu arithmetic-coded scans of %ux%u pixels are too many to decode "
                      "(at most %llu pixels over all scans)",
                      static_cast<unsigned long long>(scans), info->image_width, info->image_height,
                      static_cast<unsigned long long>(kMaxArithmeticJpegPixelScans));
        std::longjmp(errors->jump, 1);
    }
}

bool TooCostly(const jpeg_decompress_struct& info, std::size_t bytes, char* message,
               std::size_t size)
{
    if (!info.arith_code)
        return false;
    if (bytes > kMaxArithmeticJpegBytes) {
        std::snprintf(message, size,
                      "%zu bytes of arithmetic-coded data are too many to decode (at most %zu)",
                      bytes, kMaxArithmeticJpegBytes);
        return true;
    }
    if (Pixels(info) <= kMaxArithmeticJpegPixelScans)
        return false;
    std::snprintf(message, size,
                  "%ux%u pixels is too large for an arithmetic-coded image (at most %llu pixels)",
                  info.image_width, info.image_height,
                  static_cast<unsigned long long>(kMaxArithmeticJpegPixelScans));
    return true;
}

bool TooLarge(const jpeg_decompress_struct& info, char* message, std::size_t size)
{
    const std::uint64_t pixels = Pixels(info);
    const bool buffered = jpeg_has_multiple_scans(const_cast<j_decompress_ptr>(&info));
    const std::uint64_t limit = buffered ? kMaxBufferedJpegPixels : kMaxJpegPixels;
    if (pixels <= limit)
        return false;
    std::snprintf(message, size, "%ux%u pixels is too large%s (at most %llu pixels)",
                  info.image_width, info.image_height,
                  buffered ? " for an image in several scans" : "",
                  static_cast<unsigned long long>(limit));
    return true;
}

std::size_t BytesPerPixel(PixelLayout layout)
{
    return layout == PixelLayout::Rgb24 ? 3 : 4;
}

// CMYK and YCCK come out as CMYK; everything else libjpeg converts to `layout` itself. The
// alpha variants set the fourth byte to 0xFF; the X variants would leave it undefined.
void ChooseOutput(jpeg_decompress_struct& info, PixelLayout layout)
{
    const bool inks = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    if (inks)
        info.out_color_space = JCS_CMYK;
    else if (layout == PixelLayout::Rgb24)
        info.out_color_space = JCS_RGB;
    else
        info.out_color_space =
            std::endian::native == std::endian::little ? JCS_EXT_BGRA : JCS_EXT_ARGB;
}

void StorePixel(unsigned r, unsigned g, unsigned b, PixelLayout layout, std::uint8_t* out)
{
    if (layout == PixelLayout::Rgb24) {
        out[0] = static_cast<std::uint8_t>(r);
        out[1] = static_cast<std::uint8_t>(g);
        out[2] = static_cast<std::uint8_t>(b);
        return;
    }
    const std::uint32_t word = 0xFF000000u | (r << 16) | (g << 8) | b;
    std::memcpy(out, &word, sizeof word);
}

// Files with an Adobe marker (all that Adobe programs write) store the inks inverted.
void InksToPixels(const JSAMPLE* cmyk, bool inverted, PixelLayout layout, std::uint8_t* out,
                  std::size_t pixels)
{
    const std::size_t step = BytesPerPixel(layout);
    for (std::size_t i = 0; i < pixels; ++i, cmyk += 4, out += step) {
        const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
        unsigned rgb[3];
        for (int c = 0; c < 3; ++c) {
            const unsigned ink = inverted ? cmyk[c] : 255u - cmyk[c];
            rgb[c] = (ink * k + 127) / 255;
        }
        StorePixel(rgb[0], rgb[1], rgb[2], layout, out);
    }
}

// The shown part along one axis: its first index and length, as centring in `view` gives it
// (the toolkit halves both sizes before it subtracts).
void ShownSpan(JDIMENSION size, int view, JDIMENSION& first, JDIMENSION& count)
{
    const JDIMENSION limit = static_cast<JDIMENSION>(std::max(view, 1));
    first = size > limit ? size / 2 - limit / 2 : 0;
    count = std::min(size, limit);
}

// Decodes the rows and columns `view` shows into `image`; the rest is skipped where libjpeg
// can skip it. No object with a destructor lives in this frame (longjmp leaves it).
void DecodeShown(jpeg_decompress_struct& info, ViewSize view, RgbImage& image,
                 std::vector<JSAMPLE>& row)
{
    JDIMENSION left = 0, width = 0, top = 0, height = 0;
    ShownSpan(info.output_width, view.width, left, width);
    ShownSpan(info.output_height, view.height, top, height);
    // The crop reaches one block row of pixels past the shown columns where the picture goes
    // on, so that smoothing the colour at the last shown column sees its right neighbours as
    // it does in the whole picture.
    JDIMENSION cropLeft = left;
    JDIMENSION cropWidth = std::min<JDIMENSION>(width + kCropMargin, info.output_width - left);
    if (width < info.output_width)
        jpeg_crop_scanline(&info, &cropLeft, &cropWidth);
    if (top > 0)
        jpeg_skip_scanlines(&info, top);
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    const std::size_t bytes = BytesPerPixel(image.layout);
    image.rgb.resize(std::size_t{width} * bytes * height);
    row.resize(std::size_t{info.output_width} * static_cast<std::size_t>(info.output_components));
    const std::size_t skip = (left - cropLeft) * static_cast<std::size_t>(info.output_components);
    for (JDIMENSION y = 0; y < height; ++y) {
        JSAMPROW rows[] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
        std::uint8_t* out = image.rgb.data() + std::size_t{width} * bytes * y;
        if (info.out_color_space == JCS_CMYK)
            InksToPixels(row.data() + skip, info.saw_Adobe_marker, image.layout, out, width);
        else
            std::copy_n(row.data() + skip, std::size_t{width} * bytes, out);
    }
}

bool DecodeInto(jpeg_decompress_struct& info, ErrorManager& errors, jpeg_progress_mgr& progress,
                std::string_view bytes, ViewSize view, RgbImage& image, std::vector<JSAMPLE>& row)
{
    if (setjmp(errors.jump) != 0)
        return false;
    jpeg_create_decompress(&info);
    info.progress = &progress;
    info.mem->max_memory_to_use = kMaxLibjpegMemory;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    // The size is refused before decompression starts: for a multi-scan image libjpeg sets up
    // buffers for the whole picture there, gigabytes for a forged header.
    if (TooLarge(info, errors.message, sizeof errors.message) ||
        TooCostly(info, bytes.size(), errors.message, sizeof errors.message))
        return false;
    ChooseOutput(info, image.layout);
    jpeg_start_decompress(&info);
    DecodeShown(info, view, image, row);
    // Rows below the view are never read; the decoder is released without finishing.
    jpeg_abort_decompress(&info);
    return true;
}

// Releases libjpeg's memory on every way out, a failed allocation of the pixels included.
struct Decompressor {
    jpeg_decompress_struct info{};
    Decompressor() = default;
    ~Decompressor() { jpeg_destroy_decompress(&info); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
};

} // namespace

RgbImage DecodeJpeg(std::string_view bytes, ViewSize view, PixelLayout layout)
{
    Decompressor decompressor;
    ErrorManager errors{};
    jpeg_progress_mgr progress{};
    progress.progress_monitor = CountScans;
    decompressor.info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = JumpOut;
    errors.base.emit_message = Quiet;
    RgbImage image;
    image.layout = layout;
    std::vector<JSAMPLE> row;
    const bool ok =
        !bytes.empty() && DecodeInto(decompressor.info, errors, progress, bytes, view, image, row);
    if (!ok)
        throw std::runtime_error(std::string("Invalid JPEG image: ") +
                                 (bytes.empty() ? "no data" : errors.message));
    return image;
}

} // namespace branding
