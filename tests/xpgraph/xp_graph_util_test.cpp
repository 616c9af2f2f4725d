#include "xpgraph/xp_graph_util.h"

#include "pixel_buffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace
{

using XPGraphUtil::FillGradient;

constexpr std::uint32_t kLight = 0xFDFDFD;
constexpr std::uint32_t kDark = 0xCDCCDF;

// The face of a 25-pixel button (8 bands of 2) and its pressed face (12 bands of 1).
const std::vector<std::uint32_t> kEightSteps = {0xFDFDFD, 0xF6F6F9, 0xEFEFF4, 0xE8E8F0,
                                                0xE2E1EC, 0xDBDAE8, 0xD4D3E3, 0xCDCCDF};
const std::vector<std::uint32_t> kTwelveSteps = {0xCDCCDF, 0xD1D0E2, 0xD6D5E4, 0xDAD9E7,
                                                 0xDEDEEA, 0xE3E2ED, 0xE7E7EF, 0xECEBF2,
                                                 0xF0F0F5, 0xF4F4F8, 0xF9F9FA, 0xFDFDFD};

// The colour of every line along the direction, after checking each line is uniform across.
std::vector<std::uint32_t> Lines(const PixelBuffer& buffer, const gdi::TRect& rect, bool columns)
{
    std::vector<std::uint32_t> lines;
    const int count = columns ? rect.Right - rect.Left : rect.Bottom - rect.Top;
    for (int i = 0; i < count; ++i) {
        const int x0 = columns ? rect.Left + i : rect.Left;
        const int y0 = columns ? rect.Top : rect.Top + i;
        const std::uint32_t colour = buffer.At(x0, y0);
        for (int j = 0; j < (columns ? rect.Bottom - rect.Top : rect.Right - rect.Left); ++j)
            EXPECT_EQ(buffer.At(columns ? x0 : x0 + j, columns ? y0 + j : y0), colour)
                << "line " << i << " is not uniform";
        lines.push_back(colour);
    }
    return lines;
}

// Everything outside the rectangle still holds the paper colour.
void ExpectOnlyInside(const PixelBuffer& buffer, const gdi::TRect& rect)
{
    for (const auto& [x, y] : buffer.Changed())
        EXPECT_TRUE(x >= rect.Left && x < rect.Right && y >= rect.Top && y < rect.Bottom)
            << "pixel (" << x << ", " << y << ") outside the rectangle changed";
    EXPECT_TRUE(buffer.PaddingUntouched());
}

std::vector<std::uint32_t> Repeat(const std::vector<std::uint32_t>& bands, int size,
                                  std::uint32_t rest, int restCount)
{
    std::vector<std::uint32_t> lines;
    for (std::uint32_t band : bands)
        lines.insert(lines.end(), static_cast<std::size_t>(size), band);
    lines.insert(lines.end(), static_cast<std::size_t>(restCount), rest);
    return lines;
}

struct BandCase {
    std::string name;
    std::uint8_t direction;
    std::uint8_t steps;
    std::vector<std::uint32_t> expected;
};

void PrintTo(const BandCase& c, std::ostream* os)
{
    *os << c.name;
}

class FillGradientBands : public testing::TestWithParam<BandCase>
{
};

TEST_P(FillGradientBands, SeventeenPixelsLong)
{
    const BandCase& c = GetParam();
    const bool columns = c.direction >= 2;
    const gdi::TRect rect = columns ? gdi::TRect{3, 2, 20, 9} : gdi::TRect{2, 3, 9, 20};
    PixelBuffer buffer(24, 24);
    FillGradient(buffer.raster, rect, kLight, kDark, c.direction, c.steps);
    EXPECT_EQ(Lines(buffer, rect, columns), c.expected);
    ExpectOnlyInside(buffer, rect);
}

INSTANTIATE_TEST_SUITE_P(
    Faces, FillGradientBands,
    testing::Values(BandCase{"Down8", 0, 8, Repeat(kEightSteps, 2, kDark, 1)},
                    BandCase{"Up12", 1, 12, Repeat(kTwelveSteps, 1, kLight, 5)},
                    BandCase{"Right8", 2, 8, Repeat(kEightSteps, 2, kDark, 1)},
                    BandCase{"Left12", 3, 12, Repeat(kTwelveSteps, 1, kLight, 5)}),
    [](const auto& info) { return info.param.name; });

class FillGradientFewSteps : public testing::TestWithParam<std::tuple<std::uint8_t, std::uint8_t>>
{
};

TEST_P(FillGradientFewSteps, FillsWithTheFirstColour)
{
    const auto [direction, steps] = GetParam();
    const gdi::TRect rect{1, 2, 7, 9};
    PixelBuffer buffer(10, 12);
    FillGradient(buffer.raster, rect, 0x102030, 0xA0B0C0, direction, steps);
    EXPECT_EQ(buffer.Changed().size(), 42u);
    for (const auto& [x, y] : buffer.Changed())
        EXPECT_EQ(buffer.At(x, y), 0x102030u);
    ExpectOnlyInside(buffer, rect);
}

INSTANTIATE_TEST_SUITE_P(EveryDirection, FillGradientFewSteps,
                         testing::Combine(testing::Values(0, 1, 2, 3), testing::Values(0, 1)));

TEST(FillGradient, StepsBeyondTheLengthGiveOneLinePerBand)
{
    const gdi::TRect rect{0, 1, 4, 11};
    PixelBuffer buffer(5, 13);
    FillGradient(buffer.raster, rect, 0x000000, 0x090909, 0, 200);
    std::vector<std::uint32_t> expected;
    for (std::uint32_t i = 0; i < 10; ++i)
        expected.push_back(i * 0x010101);
    EXPECT_EQ(Lines(buffer, rect, false), expected);
    ExpectOnlyInside(buffer, rect);
}

TEST(FillGradient, OnePixelLongTakesTheEndColour)
{
    for (std::uint8_t direction : {0, 1, 2, 3}) {
        const bool columns = direction >= 2;
        const gdi::TRect rect = columns ? gdi::TRect{2, 1, 3, 6} : gdi::TRect{1, 2, 6, 3};
        PixelBuffer buffer(8, 8);
        FillGradient(buffer.raster, rect, kLight, kDark, direction, 2);
        const std::uint32_t end = direction % 2 == 0 ? kDark : kLight;
        EXPECT_EQ(Lines(buffer, rect, !columns), std::vector<std::uint32_t>(5, end))
            << "direction " << int(direction);
        ExpectOnlyInside(buffer, rect);
    }
}

TEST(FillGradient, EmptyRectanglesDrawNothing)
{
    for (const gdi::TRect& rect : {gdi::TRect{3, 1, 3, 6}, gdi::TRect{1, 4, 6, 4},
                                   gdi::TRect{6, 1, 2, 6}, gdi::TRect{1, 6, 6, 2}}) {
        for (std::uint8_t steps : {0, 1, 8}) {
            PixelBuffer buffer(8, 8);
            FillGradient(buffer.raster, rect, kLight, kDark, 0, steps);
            EXPECT_TRUE(buffer.Changed().empty());
        }
    }
}

TEST(FillGradient, ResolvesSystemColoursBeforeMixing)
{
    const gdi::TColor face = gdi::SysColor(ui::SystemColor::ButtonFace);
    const gdi::TColor text = gdi::SysColor(ui::SystemColor::WindowText);
    PixelBuffer buffer(4, 4);
    FillGradient(buffer.raster, {0, 0, 4, 3}, face, text, 0, 3);
    EXPECT_EQ(Lines(buffer, {0, 0, 4, 3}, false),
              (std::vector<std::uint32_t>{0xECE9D8, 0x76746C, 0x000000}));
    FillGradient(buffer.raster, {0, 3, 4, 4}, face, text, 1, 0);
    EXPECT_EQ(buffer.At(0, 3), 0xECE9D8u);
}

TEST(FillGradient, ClipsToTheSurface)
{
    PixelBuffer buffer(6, 6);
    FillGradient(buffer.raster, {-4, -4, 10, 10}, kLight, kDark, 2, 5);
    EXPECT_TRUE(buffer.PaddingUntouched());
    EXPECT_EQ(buffer.Changed().size(), 36u);
}

struct MulDivCase {
    int a, b, c, expected;
};

void PrintTo(const MulDivCase& c, std::ostream* os)
{
    *os << c.a << " * " << c.b << " / " << c.c;
}

class MulDiv : public testing::TestWithParam<MulDivCase>
{
};

TEST_P(MulDiv, RoundsHalvesAwayFromZero)
{
    const MulDivCase& c = GetParam();
    EXPECT_EQ(XPGraphUtil::MulDiv(c.a, c.b, c.c), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, MulDiv,
                         testing::Values(MulDivCase{1, 1, 2, 1}, MulDivCase{1, -1, 2, -1},
                                         MulDivCase{-1, 1, 2, -1}, MulDivCase{3, -5, 2, -8},
                                         MulDivCase{5, 10, -3, -17}, MulDivCase{-5, -10, -3, -17},
                                         MulDivCase{1, 2, 3, 1}, MulDivCase{1, 1, 3, 0},
                                         MulDivCase{7, 1, 0, -1}, MulDivCase{0x7FFFFFFF, 4, 1, -1},
                                         MulDivCase{0x40000000, 6, 3, -1},
                                         MulDivCase{0x40000000, 6, 4, 0x60000000}));

} // namespace
