#include "fuzz/jpeg_samples.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

namespace jpegsamples
{

namespace
{

// Inks of a colour, each as 255 - ink, the way Adobe files store them.
void StoredInks(Rgb c, JSAMPLE* out)
{
    const int k = 255 - std::max({c.r, c.g, c.b});
    const int rest = 255 - k;
    const int inks[] = {rest ? (rest - c.r) * 255 / rest : 0, rest ? (rest - c.g) * 255 / rest : 0,
                        rest ? (rest - c.b) * 255 / rest : 0, k};
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<JSAMPLE>(255 - inks[i]);
}

void FillRow(int y, int width, Space space, const Picture& picture, std::vector<JSAMPLE>& row)
{
    for (int x = 0; x < width; ++x) {
        const Rgb c = picture(x, y);
        const auto at = static_cast<std::size_t>(x);
        if (space == Space::Grey)
            row[at] = static_cast<JSAMPLE>((c.r * 299 + c.g * 587 + c.b * 114) / 1000);
        else if (space == Space::Colour)
            row[at * 3] = c.r, row[at * 3 + 1] = c.g, row[at * 3 + 2] = c.b;
        else
            StoredInks(c, &row[at * 4]);
    }
}

void SetUp(jpeg_compress_struct& info, int width, int height, Space space, bool progressive,
           bool arithmetic)
{
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = space == Space::Grey ? 1 : space == Space::Colour ? 3 : 4;
    info.in_color_space = space == Space::Grey     ? JCS_GRAYSCALE
                          : space == Space::Colour ? JCS_RGB
                                                   : JCS_CMYK;
    jpeg_set_defaults(&info);
    if (space == Space::Ycck)
        jpeg_set_colorspace(&info, JCS_YCCK);
    jpeg_set_quality(&info, 95, TRUE);
    if (progressive)
        jpeg_simple_progression(&info);
    info.arith_code = arithmetic ? TRUE : FALSE;
}

std::string EncodeWith(int width, int height, Space space, bool progressive, bool arithmetic,
                       const Picture& picture)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    SetUp(info, width, height, space, progressive, arithmetic);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * 4);
    while (info.next_scanline < info.image_height) {
        FillRow(static_cast<int>(info.next_scanline), width, space, picture, row);
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::string bytes(reinterpret_cast<char*>(buffer), size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

} // namespace

std::string Encode(int width, int height, Space space, bool progressive, const Picture& picture)
{
    return EncodeWith(width, height, space, progressive, false, picture);
}

std::string EncodeArithmetic(int width, int height, bool progressive, const Picture& picture)
{
    return EncodeWith(width, height, Space::Colour, progressive, true, picture);
}

std::string WithEmptyScans(const std::string& jpeg, int count)
{
    // The last scan header, marker and length included, repeated without its data.
    const std::size_t sos = jpeg.rfind("\xFF\xDA");
    if (sos == std::string::npos || jpeg.size() < 2)
        throw std::invalid_argument("no scan header");
    const std::size_t length = (static_cast<unsigned char>(jpeg[sos + 2]) << 8) |
                               static_cast<unsigned char>(jpeg[sos + 3]);
    const std::string header = jpeg.substr(sos, 2 + length);
    std::string bytes = jpeg.substr(0, jpeg.size() - 2);
    for (int i = 0; i < count; ++i)
        bytes += header;
    return bytes + "\xFF\xD9";
}

std::string WithSize(const std::string& jpeg, std::uint16_t width, std::uint16_t height)
{
    // Baseline, progressive, and both with arithmetic coding.
    std::size_t frame = std::string::npos;
    for (const char* marker : {"\xFF\xC0", "\xFF\xC2", "\xFF\xC9", "\xFF\xCA"})
        frame = std::min(frame, jpeg.find(marker));
    if (frame == std::string::npos)
        throw std::invalid_argument("no frame header");
    std::string bytes = jpeg;
    const char size[] = {static_cast<char>(height >> 8), static_cast<char>(height & 0xFF),
                         static_cast<char>(width >> 8), static_cast<char>(width & 0xFF)};
    bytes.replace(frame + 5, 4, size, 4);
    return bytes;
}

} // namespace jpegsamples
