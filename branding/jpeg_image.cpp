#include "branding/jpeg_image.h"

#include <csetjmp>
#include <cstdio>
#include <stdexcept>
#include <string>

#include <jpeglib.h>

namespace branding
{

namespace
{

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

// No object with a destructor lives in this frame, so leaving it through longjmp is safe; the
// pixels go into a vector owned by the caller.
bool DecodeInto(jpeg_decompress_struct& info, ErrorManager& errors, std::string_view bytes,
                RgbImage& image)
{
    if (setjmp(errors.jump) != 0)
        return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    // The size is refused before decompression starts: for a progressive image libjpeg sets up
    // buffers for the whole picture there, gigabytes for a forged header.
    if (static_cast<std::uint64_t>(info.image_width) * info.image_height > kMaxJpegPixels) {
        std::snprintf(errors.message, sizeof errors.message, "%ux%u pixels is too large",
                      info.image_width, info.image_height);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image.width = static_cast<int>(info.output_width);
    image.height = static_cast<int>(info.output_height);
    const std::size_t stride = std::size_t{info.output_width} * 3;
    image.rgb.resize(stride * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.rgb.data() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
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

RgbImage DecodeJpeg(std::string_view bytes)
{
    Decompressor decompressor;
    ErrorManager errors{};
    decompressor.info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = JumpOut;
    errors.base.emit_message = Quiet;
    RgbImage image;
    const bool ok = !bytes.empty() && DecodeInto(decompressor.info, errors, bytes, image);
    if (!ok)
        throw std::runtime_error(std::string("Invalid JPEG image: ") +
                                 (bytes.empty() ? "no data" : errors.message));
    return image;
}

} // namespace branding
