#include "xpgraph/gdi_raster.h"

#include "pixel_buffer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace
{

using Pixels = std::set<std::pair<int, int>>;

constexpr gdi::TColor kPen = 0xFFFFFF;
constexpr gdi::TColor kBrush = 0x808080;

Pixels LinePixels(int x1, int y1, int x2, int y2)
{
    PixelBuffer buffer(40, 40);
    buffer.raster.Line(x1, y1, x2, y2, kPen);
    return buffer.Changed();
}

Pixels Span(int x1, int y1, int x2, int y2)
{
    Pixels pixels;
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x)
            pixels.insert({x, y});
    return pixels;
}

struct LineCase {
    std::string name;
    int x1, y1, x2, y2;
    Pixels expected;
};

void PrintTo(const LineCase& c, std::ostream* os)
{
    *os << c.name;
}

class StraightLine : public testing::TestWithParam<LineCase>
{
};

TEST_P(StraightLine, LeavesOutTheEndPoint)
{
    const LineCase& c = GetParam();
    EXPECT_EQ(LinePixels(c.x1, c.y1, c.x2, c.y2), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, StraightLine,
    testing::Values(LineCase{"Right", 2, 5, 7, 5, Span(2, 5, 6, 5)},
                    LineCase{"Left", 7, 5, 2, 5, Span(3, 5, 7, 5)},
                    LineCase{"Down", 4, 1, 4, 6, Span(4, 1, 4, 5)},
                    LineCase{"Up", 10, 21, 10, 2, Span(10, 3, 10, 21)},
                    LineCase{"NoLength", 3, 3, 3, 3, {}},
                    LineCase{"Shallow", 0, 0, 4, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
                    LineCase{"ShallowBack", 4, 2, 0, 0, {{4, 2}, {3, 1}, {2, 1}, {1, 0}}}),
    [](const auto& info) { return info.param.name; });

// A line and its reverse must pick the same pixels, whatever the slope; only the omitted end
// point differs. This pins down how ties between two candidate pixels break in each octant.
TEST(Line, ReverseCoversTheSamePixels)
{
    const int cx = 20;
    const int cy = 20;
    for (int dx = -9; dx <= 9; ++dx) {
        for (int dy = -9; dy <= 9; ++dy) {
            if (dx == 0 && dy == 0)
                continue;
            Pixels forward = LinePixels(cx, cy, cx + dx, cy + dy);
            Pixels backward = LinePixels(cx + dx, cy + dy, cx, cy);
            ASSERT_EQ(forward.size(),
                      static_cast<std::size_t>(std::max(std::abs(dx), std::abs(dy))));
            EXPECT_TRUE(forward.count({cx, cy}) == 1 && backward.count({cx + dx, cy + dy}) == 1);
            forward.insert({cx + dx, cy + dy});
            backward.insert({cx, cy});
            EXPECT_EQ(forward, backward) << "dx " << dx << " dy " << dy;
        }
    }
}

Pixels Perimeter(int left, int top, int right, int bottom)
{
    Pixels pixels;
    for (const auto& p : Span(left, top, right, bottom))
        if (p.first == left || p.first == right || p.second == top || p.second == bottom)
            pixels.insert(p);
    return pixels;
}

TEST(Rectangle, OutlinesTheOuterPixelsOnly)
{
    PixelBuffer buffer(12, 12);
    buffer.raster.Rectangle({2, 3, 8, 7}, kPen);
    EXPECT_EQ(buffer.Changed(), Perimeter(2, 3, 7, 6));

    PixelBuffer reversed(12, 12);
    reversed.raster.Rectangle({8, 7, 2, 3}, kPen);
    EXPECT_EQ(reversed.Changed(), Perimeter(2, 3, 7, 6));

    PixelBuffer flat(12, 12);
    flat.raster.Rectangle({2, 3, 2, 7}, kPen);
    flat.raster.Rectangle({2, 3, 8, 3}, kPen);
    EXPECT_TRUE(flat.Changed().empty());
}

// The top-left corner of a rounded outline, rows top to bottom, for one ellipse size.
std::vector<std::string> Corner(const PixelBuffer& buffer, int left, int top, int size)
{
    std::vector<std::string> rows;
    for (int y = 0; y < size; ++y) {
        std::string row;
        for (int x = 0; x < size; ++x)
            row += buffer.At(left + x, top + y) == kPen ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

struct CornerCase {
    int ellipse;
    std::vector<std::string> rows; // top-left 4 × 4
};

void PrintTo(const CornerCase& c, std::ostream* os)
{
    *os << c.ellipse;
}

class RoundRectCorner : public testing::TestWithParam<CornerCase>
{
};

TEST_P(RoundRectCorner, MatchesTheShapeInAllFourCorners)
{
    const CornerCase& c = GetParam();
    const gdi::TRect rect{1, 2, 21, 17};
    PixelBuffer buffer(24, 20);
    buffer.raster.RoundRect(rect, c.ellipse, c.ellipse, kPen);
    EXPECT_EQ(Corner(buffer, rect.Left, rect.Top, 4), c.rows);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const std::uint32_t topLeft = buffer.At(rect.Left + x, rect.Top + y);
            EXPECT_EQ(buffer.At(rect.Right - 1 - x, rect.Top + y), topLeft);
            EXPECT_EQ(buffer.At(rect.Left + x, rect.Bottom - 1 - y), topLeft);
            EXPECT_EQ(buffer.At(rect.Right - 1 - x, rect.Bottom - 1 - y), topLeft);
        }
    }
    // Straight edges in between, nothing outside, the inside untouched without a brush.
    EXPECT_EQ(buffer.At(10, rect.Top), kPen);
    EXPECT_EQ(buffer.At(rect.Left, 9), kPen);
    EXPECT_EQ(buffer.At(10, 9), PixelBuffer::kPaper);
    EXPECT_EQ(buffer.At(rect.Left - 1, 9), PixelBuffer::kPaper);
    EXPECT_EQ(buffer.At(10, rect.Bottom), PixelBuffer::kPaper);
}

INSTANTIATE_TEST_SUITE_P(Sizes, RoundRectCorner,
                         testing::Values(CornerCase{0, {"####", "#...", "#...", "#..."}},
                                         CornerCase{2, {"####", "#...", "#...", "#..."}},
                                         CornerCase{3, {".###", "#...", "#...", "#..."}},
                                         CornerCase{4, {".###", "#...", "#...", "#..."}},
                                         CornerCase{5, {".###", "#...", "#...", "#..."}},
                                         CornerCase{6, {"..##", ".#..", "#...", "#..."}},
                                         CornerCase{8, {"..##", ".#..", "#...", "#..."}}),
                         [](const auto& info) {
                             return "Ellipse" + std::to_string(info.param.ellipse);
                         });

TEST(RoundRect, EllipseIsClampedToTheRectangle)
{
    PixelBuffer clamped(10, 10);
    clamped.raster.RoundRect({0, 0, 6, 6}, 40, 40, kPen);
    PixelBuffer exact(10, 10);
    exact.raster.RoundRect({0, 0, 6, 6}, 6, 6, kPen);
    EXPECT_EQ(clamped.Changed(), exact.Changed());

    // Flat in one direction gives square corners, as with a plain rectangle.
    PixelBuffer flat(10, 10);
    flat.raster.RoundRect({0, 0, 6, 6}, 5, 2, kPen);
    EXPECT_EQ(flat.Changed(), Perimeter(0, 0, 5, 5));
}

// The brush covers exactly what the outline encloses: no gap inside, nothing outside.
TEST(RoundRect, BrushFillsExactlyTheEnclosedPixels)
{
    for (int ellipse : {2, 3, 5, 7}) {
        PixelBuffer buffer(16, 12);
        buffer.raster.RoundRect({1, 1, 14, 11}, ellipse, ellipse, kPen, kBrush);
        for (int y = 0; y < 12; ++y) {
            int first = -1;
            int last = -1;
            for (int x = 0; x < 16; ++x) {
                if (buffer.At(x, y) != kPen)
                    continue;
                first = first < 0 ? x : first;
                last = x;
            }
            for (int x = 0; x < 16; ++x) {
                const bool inside = first >= 0 && x > first && x < last;
                if (buffer.At(x, y) != kPen) {
                    EXPECT_EQ(buffer.At(x, y), inside ? kBrush : PixelBuffer::kPaper)
                        << "ellipse " << ellipse << " at (" << x << ", " << y << ")";
                }
            }
        }
    }
}

TEST(Shapes, StayInsideTheBuffer)
{
    PixelBuffer buffer(10, 8);
    buffer.raster.RoundRect({-5, -5, 30, 30}, 5, 5, kPen, kBrush);
    buffer.raster.Rectangle({-3, 2, 14, 6}, kPen);
    buffer.raster.Line(-20, 3, 40, 5, kPen);
    buffer.raster.FillSolid({8, -2, 50, 3}, kPen);
    buffer.raster.InvertFocusRect({-2, -2, 30, 30});
    buffer.raster.SetPixel(10, 0, kPen);
    EXPECT_TRUE(buffer.PaddingUntouched());
}

// Our own choice among the platform's variants: the dots follow a checkerboard fixed to the
// surface's top-left pixel (as a brush aligned to the device origin would), inverting the
// perimeter pixels whose x + y is odd, whatever the rectangle's position.
TEST(FocusRect, InvertsEveryOtherPerimeterPixelAndUndoesItself)
{
    for (const gdi::TRect& rect : {gdi::TRect{4, 4, 85, 21}, gdi::TRect{3, 4, 9, 9}}) {
        PixelBuffer buffer(90, 25);
        buffer.raster.InvertFocusRect(rect);
        Pixels expected;
        for (const auto& p : Perimeter(rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1))
            if ((p.first + p.second) % 2 == 1)
                expected.insert(p);
        EXPECT_EQ(buffer.Changed(), expected);
        for (const auto& [x, y] : expected)
            EXPECT_EQ(buffer.At(x, y), PixelBuffer::kPaper ^ 0xFFFFFFu);
        buffer.raster.InvertFocusRect(rect);
        EXPECT_TRUE(buffer.Changed().empty());
    }
}

TEST(EllipseCorner, KeepsOnlyTheTopLeftQuarter)
{
    for (int w = 1; w <= 12; ++w)
        for (int h = 1; h <= 12; ++h)
            for (const gdi::Point& p : gdi::EllipseCorner(w, h))
                EXPECT_TRUE(p.x >= 0 && p.y >= 0 && 2 * p.x <= w - 1 && 2 * p.y <= h - 1);
}

} // namespace
