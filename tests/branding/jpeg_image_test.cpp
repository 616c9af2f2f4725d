#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "branding/jpeg_image.h"
#include "tests/support/file_bytes.h"

using branding::DecodeJpeg;

namespace
{

using namespace std::string_literals;

const std::string kAsset = std::string(SITEWRIGHT_SOURCE_DIR) + "/assets/branding.jpg";

TEST(DecodeJpeg, DecodesBrandingImageToRgb)
{
    const branding::RgbImage image = DecodeJpeg(ReadBytes(kAsset));
    EXPECT_EQ(image.width, 400);
    EXPECT_EQ(image.height, 50);
    ASSERT_EQ(image.rgb.size(), 400u * 50u * 3u);
    // The top-left corner is the dark blue end of the gradient.
    EXPECT_LT(image.rgb[0], 80);
    EXPECT_GT(image.rgb[2], image.rgb[0] + 60);
}

struct BadCase {
    const char* label;
    std::string bytes;
    std::string says = ""; // part of the message, where one particular reason is expected
};

void PrintTo(const BadCase& bad, std::ostream* os)
{
    *os << bad.label;
}

class DecodeJpegRefuses : public testing::TestWithParam<BadCase>
{
};

TEST_P(DecodeJpegRefuses, WithClearError)
{
    try {
        DecodeJpeg(GetParam().bytes);
        FAIL() << "decoded";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Invalid JPEG image: ", 0), 0u) << error.what();
        EXPECT_NE(std::string(error.what()).find(GetParam().says), std::string::npos)
            << error.what();
    }
}

// The branding image with its frame header claiming 60000 x 60000 pixels.
std::string HugeDimensions()
{
    std::string bytes = ReadBytes(kAsset);
    const std::size_t frame = bytes.find("\xFF\xC0");
    if (frame != std::string::npos)
        bytes.replace(frame + 5, 4, "\xEA\x60\xEA\x60");
    return bytes;
}

// A small progressive image made here, its frame header then claiming 60000 x 60000 pixels:
// libjpeg would set up buffers for the whole picture before the first scan.
std::string ProgressiveHugeDimensions()
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = 8;
    info.image_height = 8;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(8 * 3, 128);
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::string bytes(reinterpret_cast<char*>(buffer), size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    const std::size_t frame = bytes.find("\xFF\xC2");
    if (frame != std::string::npos)
        bytes.replace(frame + 5, 4, "\xEA\x60\xEA\x60");
    return bytes;
}

const BadCase kBadCases[] = {
    {"Empty", ""},
    {"Text", "not a picture"},
    {"OnlyStartOfImage", "\xFF\xD8"},
    {"PngSignature", "\x89PNG\r\n\x1a\n\0\0\0\rIHDR"s},
    {"HeaderCutShort", ReadBytes(kAsset).substr(0, 40)},
    {"HugeDimensions", HugeDimensions(), "60000x60000 pixels is too large"},
    {"ProgressiveHugeDimensions", ProgressiveHugeDimensions(), "60000x60000 pixels is too large"},
};

INSTANTIATE_TEST_SUITE_P(Bytes, DecodeJpegRefuses, testing::ValuesIn(kBadCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(DecodeJpeg, TruncatedScanStillGivesWholeImage)
{
    const std::string bytes = ReadBytes(kAsset);
    const branding::RgbImage image = DecodeJpeg(bytes.substr(0, bytes.size() / 2));
    EXPECT_EQ(image.width, 400);
    EXPECT_EQ(image.height, 50);
    EXPECT_EQ(image.rgb.size(), 400u * 50u * 3u);
}

} // namespace
