#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "branding/jpeg_image.h"
#include "fuzz/jpeg_samples.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_dir.h"

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
    std::string bytes = jpegsamples::Encode(8, 8, jpegsamples::Space::Colour, true, [](int, int) {
        return jpegsamples::Rgb{128, 128, 128};
    });
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

// The painted layout holds the same colours as the plain one, each pixel an opaque word
// 0xFFRRGGBB.
void ExpectSamePixels(const branding::RgbImage& rgb, const branding::RgbImage& xrgb)
{
    EXPECT_EQ(xrgb.layout, branding::PixelLayout::Xrgb32);
    ASSERT_EQ(xrgb.width, rgb.width);
    ASSERT_EQ(xrgb.height, rgb.height);
    const std::size_t pixels = std::size_t(rgb.width) * std::size_t(rgb.height);
    ASSERT_EQ(xrgb.rgb.size(), pixels * 4);
    for (std::size_t i = 0; i < pixels; ++i) {
        std::uint32_t word = 0;
        std::memcpy(&word, xrgb.rgb.data() + i * 4, 4);
        const std::uint32_t expected = 0xFF000000u | std::uint32_t(rgb.rgb[i * 3]) << 16 |
                                       std::uint32_t(rgb.rgb[i * 3 + 1]) << 8 | rgb.rgb[i * 3 + 2];
        ASSERT_EQ(word, expected) << "pixel " << i;
    }
}

// For a whole image and for one whose scan breaks off.
class DecodeJpegXrgb32 : public testing::TestWithParam<std::size_t>
{
};

TEST_P(DecodeJpegXrgb32, MatchesRgb24PixelForPixel)
{
    const std::string whole = ReadBytes(kAsset);
    const std::string bytes = whole.substr(0, whole.size() / GetParam());
    ExpectSamePixels(DecodeJpeg(bytes), DecodeJpeg(bytes, {}, branding::PixelLayout::Xrgb32));
}

INSTANTIATE_TEST_SUITE_P(WholeAndHalf, DecodeJpegXrgb32, testing::Values(1, 2));

using jpegsamples::Space;

// Left half red, right half blue, a green band across the middle.
jpegsamples::Rgb Flag(int x, int y, int width, int height)
{
    if (y >= height / 3 && y < 2 * height / 3)
        return {0, 200, 0};
    return x < width / 2 ? jpegsamples::Rgb{220, 0, 0} : jpegsamples::Rgb{0, 0, 220};
}

void ExpectNear(const branding::RgbImage& image, int x, int y, jpegsamples::Rgb want)
{
    const std::size_t at = (static_cast<std::size_t>(y) * image.width + x) * 3;
    const int got[] = {image.rgb[at], image.rgb[at + 1], image.rgb[at + 2]};
    const int expected[] = {want.r, want.g, want.b};
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(got[c], expected[c], 24) << "pixel " << x << "," << y << " channel " << c;
}

struct SpaceCase {
    const char* name;
    Space space;
    bool progressive;
};

class DecodeJpegColours : public testing::TestWithParam<SpaceCase>
{
};

// Every colour space shows its colours, CMYK and YCCK included.
TEST_P(DecodeJpegColours, ShowsTheColoursOfEachSpace)
{
    const auto flag = [](int x, int y) { return Flag(x, y, 48, 48); };
    const std::string bytes =
        jpegsamples::Encode(48, 48, GetParam().space, GetParam().progressive, flag);
    const branding::RgbImage image = DecodeJpeg(bytes);
    ExpectSamePixels(image, DecodeJpeg(bytes, {}, branding::PixelLayout::Xrgb32));
    ASSERT_EQ(image.width, 48);
    ASSERT_EQ(image.height, 48);
    if (GetParam().space == Space::Grey) {
        EXPECT_LT(image.rgb[0], 100); // dark red becomes a dark grey
        return;
    }
    ExpectNear(image, 4, 4, {220, 0, 0});
    ExpectNear(image, 44, 44, {0, 0, 220});
    ExpectNear(image, 24, 24, {0, 200, 0});
}

INSTANTIATE_TEST_SUITE_P(Spaces, DecodeJpegColours,
                         testing::Values(SpaceCase{"Grey", Space::Grey, false},
                                         SpaceCase{"Colour", Space::Colour, false},
                                         SpaceCase{"Cmyk", Space::Cmyk, false},
                                         SpaceCase{"Ycck", Space::Ycck, false},
                                         SpaceCase{"ColourProgressive", Space::Colour, true},
                                         SpaceCase{"CmykProgressive", Space::Cmyk, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// A picture larger than its view comes as the part the view shows when it is centred, pixel
// for pixel the same as that part of the whole picture.
TEST_P(DecodeJpegColours, LargerThanViewGivesItsShownMiddle)
{
    const auto gradient = [](int x, int y) {
        return jpegsamples::Rgb{static_cast<std::uint8_t>(x / 3), static_cast<std::uint8_t>(y * 2),
                                static_cast<std::uint8_t>((x + y) % 256)};
    };
    const std::string jpeg =
        jpegsamples::Encode(701, 97, GetParam().space, GetParam().progressive, gradient);
    const branding::RgbImage whole = DecodeJpeg(jpeg);
    const branding::RgbImage shown = DecodeJpeg(jpeg, branding::ViewSize{536, 57});
    ASSERT_EQ(shown.width, 536);
    ASSERT_EQ(shown.height, 57);
    const int left = 701 / 2 - 536 / 2, top = 97 / 2 - 57 / 2;
    for (int y = 0; y < shown.height; ++y) {
        const auto* want = whole.rgb.data() + (std::size_t(y + top) * 701 + left) * 3;
        const auto* got = shown.rgb.data() + std::size_t(y) * 536 * 3;
        for (int i = 0; i < 536 * 3; ++i)
            ASSERT_EQ(got[i], want[i]) << "row " << y << " byte " << i;
    }
}

// Forged pictures that cost minutes or gigabytes elsewhere: refused, or cut to the view.
TEST(DecodeJpeg, BoundsForgedPictures)
{
    const auto grey = [](int, int) { return jpegsamples::Rgb{90, 90, 90}; };
    const std::string progressive = jpegsamples::Encode(64, 64, Space::Colour, true, grey);
    const std::string baseline = jpegsamples::Encode(64, 64, Space::Colour, false, grey);
    const std::pair<std::string, std::string> refused[] = {
        {jpegsamples::WithEmptyScans(progressive, 2 * branding::kMaxJpegScans),
         "more than 100 scans"},
        {jpegsamples::WithSize(progressive, 8192, 8192), "8192x8192 pixels is too large"},
    };
    for (const auto& [bytes, says] : refused) {
        try {
            DecodeJpeg(bytes, branding::ViewSize{536, 57});
            ADD_FAILURE() << "decoded; expected: " << says;
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(says), std::string::npos) << error.what();
        }
    }
    // A single-scan picture needs no whole-picture buffer: only the shown rows are decoded.
    const branding::RgbImage shown =
        DecodeJpeg(jpegsamples::WithSize(baseline, 8192, 8192), branding::ViewSize{536, 57});
    EXPECT_EQ(shown.width, 536);
    EXPECT_EQ(shown.height, 57);
}

// Arithmetic coding gives the same picture as Huffman coding, within a budget of bytes and of
// pixels over all scans; beyond it the image is refused with the limit.
TEST(DecodeJpeg, ArithmeticCodingWithinItsBudget)
{
    const auto gradient = [](int x, int y) {
        return jpegsamples::Rgb{static_cast<std::uint8_t>(x * 4), static_cast<std::uint8_t>(y * 4),
                                static_cast<std::uint8_t>(x ^ y)};
    };
    for (bool progressive : {false, true}) {
        const branding::RgbImage huffman =
            DecodeJpeg(jpegsamples::Encode(64, 64, Space::Colour, progressive, gradient));
        const branding::RgbImage arithmetic =
            DecodeJpeg(jpegsamples::EncodeArithmetic(64, 64, progressive, gradient));
        EXPECT_EQ(arithmetic.rgb, huffman.rgb) << "progressive " << progressive;
    }
    const std::string small = jpegsamples::EncodeArithmetic(64, 64, false, gradient);
    const std::string scans = jpegsamples::EncodeArithmetic(64, 64, true, gradient);
    const std::string padding(branding::kMaxArithmeticJpegBytes, '\0');
    const std::pair<std::string, std::string> refused[] = {
        {jpegsamples::WithSize(small, 8192, 8192),
         "8192x8192 pixels is too large for an arithmetic-coded image (at most 16777216 pixels)"},
        {jpegsamples::WithEmptyScans(jpegsamples::WithSize(scans, 2048, 2048), 90),
         "its 5 arithmetic-coded scans of 2048x2048 pixels are too many to decode (at most "
         "16777216 pixels over all scans)"},
        {small + padding, std::to_string(small.size() + padding.size()) +
                              " bytes of arithmetic-coded data are too many to decode (at most "
                              "1048576)"},
    };
    for (const auto& [bytes, says] : refused) {
        try {
            DecodeJpeg(bytes, branding::ViewSize{536, 57});
            ADD_FAILURE() << "decoded; expected: " << says;
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(error.what(), "Invalid JPEG image: " + says);
        }
    }
    // The byte budget is for arithmetic coding only: Huffman-coded data reads as fast as it comes.
    const std::string huffman = jpegsamples::Encode(64, 64, Space::Colour, false, gradient);
    EXPECT_EQ(DecodeJpeg(huffman + padding).width, 64);
}

} // namespace
