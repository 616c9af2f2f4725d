#include "xpgraph/xp_graph_util.h"

#include <cstdint>
#include <limits>

namespace XPGraphUtil
{

namespace
{

struct Channels {
    int r, g, b;
};

Channels Split(std::uint32_t rgb)
{
    return {static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
            static_cast<int>(rgb & 0xFF)};
}

std::uint32_t Join(const Channels& c)
{
    return (static_cast<std::uint32_t>(c.r & 0xFF) << 16) |
           (static_cast<std::uint32_t>(c.g & 0xFF) << 8) | static_cast<std::uint32_t>(c.b & 0xFF);
}

// Band i of count bands (count >= 2): band 0 is exactly start, the last band exactly end.
std::uint32_t BandColor(const Channels& start, const Channels& delta, int i, int count)
{
    return Join({start.r + MulDiv(i, delta.r, count - 1), start.g + MulDiv(i, delta.g, count - 1),
                 start.b + MulDiv(i, delta.b, count - 1)});
}

// The span [from, from + size) along the gradient, across the whole of rect.
gdi::TRect Band(const gdi::TRect& rect, bool vertical, int from, int size)
{
    if (vertical)
        return {from, rect.Top, from + size, rect.Bottom};
    return {rect.Left, from, rect.Right, from + size};
}

} // namespace

int Max(int a, int b)
{
    return a > b ? a : b;
}
int Min(int a, int b)
{
    return a < b ? a : b;
}
int RectWidth(const gdi::TRect& rect)
{
    return rect.Right - rect.Left;
}
int RectHeight(const gdi::TRect& rect)
{
    return rect.Bottom - rect.Top;
}

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    std::int64_t product = static_cast<std::int64_t>(a) * b;
    std::int64_t divisor = c;
    if (divisor < 0) {
        divisor = -divisor;
        product = -product;
    }
    // Shifting by half the divisor before a truncating division rounds halves away from zero
    // on both sides of zero; floor-based rounding would get the negative halves wrong.
    const std::int64_t half = divisor / 2;
    const std::int64_t result = (product >= 0 ? product + half : product - half) / divisor;
    if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min())
        return -1;
    return static_cast<int>(result);
}

void FillGradient(gdi::SolidFillTarget& canvas, const gdi::TRect& rect, gdi::TColor first,
                  gdi::TColor second, std::uint8_t direction, std::uint8_t steps)
{
    if (RectWidth(rect) <= 0 || RectHeight(rect) <= 0)
        return;
    if (steps < 2) {
        canvas.FillSolid(rect, gdi::ColorToRgb(first));
        return;
    }
    if (direction > gdRightToLeft)
        return;
    const bool reversed = direction == gdBottomToTop || direction == gdRightToLeft;
    const bool vertical = direction >= gdLeftToRight;
    const std::uint32_t startRgb = gdi::ColorToRgb(reversed ? second : first);
    const std::uint32_t endRgb = gdi::ColorToRgb(reversed ? first : second);
    const Channels start = Split(startRgb);
    const Channels end = Split(endRgb);
    const Channels delta{end.r - start.r, end.g - start.g, end.b - start.b};

    const int length = vertical ? RectWidth(rect) : RectHeight(rect);
    const int origin = vertical ? rect.Left : rect.Top;
    const int count = Max(2, Min(steps, length));
    const int size = length / count;
    const int rest = length % count;
    if (size > 0) {
        for (int i = 0; i < count; ++i)
            canvas.FillSolid(Band(rect, vertical, origin + i * size, size),
                             BandColor(start, delta, i, count));
    }
    if (rest > 0)
        canvas.FillSolid(Band(rect, vertical, origin + length - rest, rest), endRgb);
}

} // namespace XPGraphUtil
