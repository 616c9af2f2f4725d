#include "xpgraph/gdi_raster.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace gdi
{

namespace
{
constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr std::uint32_t kRgbMask = 0x00FFFFFFu;

TRect Normalized(const TRect& rect)
{
    return {std::min(rect.Left, rect.Right), std::min(rect.Top, rect.Bottom),
            std::max(rect.Left, rect.Right), std::max(rect.Top, rect.Bottom)};
}
} // namespace

std::uint32_t GdiRaster::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= view_.width || y >= view_.height)
        return 0;
    return view_.bits[static_cast<std::ptrdiff_t>(y) * view_.stride + x] & kRgbMask;
}

void GdiRaster::Plot(int x, int y, std::uint32_t rgb)
{
    if (x < 0 || y < 0 || x >= view_.width || y >= view_.height)
        return;
    view_.bits[static_cast<std::ptrdiff_t>(y) * view_.stride + x] = kOpaque | rgb;
}

// Inclusive of both ends; x1 <= x2.
void GdiRaster::Span(int x1, int x2, int y, std::uint32_t rgb)
{
    FillSolid({x1, y, x2 + 1, y + 1}, rgb);
}

void GdiRaster::FillSolid(const TRect& rect, std::uint32_t rgb)
{
    const int left = std::max(rect.Left, 0);
    const int top = std::max(rect.Top, 0);
    const int right = std::min(rect.Right, view_.width);
    const int bottom = std::min(rect.Bottom, view_.height);
    for (int y = top; y < bottom; ++y) {
        std::uint32_t* row = view_.bits + static_cast<std::ptrdiff_t>(y) * view_.stride;
        std::fill(row + left, row + std::max(left, right), kOpaque | (rgb & kRgbMask));
    }
}

void GdiRaster::SetPixel(int x, int y, TColor color)
{
    Plot(x, y, ColorToRgb(color));
}

void GdiRaster::Line(int x1, int y1, int x2, int y2, TColor pen)
{
    const std::uint32_t rgb = ColorToRgb(pen);
    const int dx = x2 - x1;
    const int dy = y2 - y1;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int major = xMajor ? std::abs(dx) : std::abs(dy);
    const int minor = xMajor ? std::abs(dy) : std::abs(dx);
    // Ties between two candidate pixels break towards the step taken in half of the octants,
    // which makes a line and its reverse pick the same pixels.
    const int bias = xMajor ? (dy < 0 ? 1 : 0) : (dx < 0 ? 1 : 0);
    const int sx = dx < 0 ? -1 : 1;
    const int sy = dy < 0 ? -1 : 1;
    int err = 2 * minor - major;
    int x = x1;
    int y = y1;
    for (int i = 0; i < major; ++i) {
        Plot(x, y, rgb);
        if (err + bias > 0) {
            (xMajor ? y : x) += xMajor ? sy : sx;
            err += 2 * (minor - major);
        } else {
            err += 2 * minor;
        }
        (xMajor ? x : y) += xMajor ? sx : sy;
    }
}

void GdiRaster::RectangleOutline(const TRect& rect, std::uint32_t pen)
{
    const TRect r = Normalized(rect);
    if (r.Left == r.Right || r.Top == r.Bottom)
        return;
    Span(r.Left, r.Right - 1, r.Top, pen);
    Span(r.Left, r.Right - 1, r.Bottom - 1, pen);
    FillSolid({r.Left, r.Top, r.Left + 1, r.Bottom}, pen);
    FillSolid({r.Right - 1, r.Top, r.Right, r.Bottom}, pen);
}

void GdiRaster::Rectangle(const TRect& rect, TColor pen)
{
    RectangleOutline(rect, ColorToRgb(pen));
}

void GdiRaster::InvertFocusRect(const TRect& rect)
{
    if (rect.Right <= rect.Left || rect.Bottom <= rect.Top)
        return;
    auto invert = [this](int x, int y) {
        if ((x + y) % 2 == 0 || x < 0 || y < 0 || x >= view_.width || y >= view_.height)
            return;
        view_.bits[static_cast<std::ptrdiff_t>(y) * view_.stride + x] ^= kRgbMask;
    };
    // The platform's dotted focus rectangle comes in two variants: dots phased from the
    // rectangle's own corner, or from the surface origin like a brush pattern. We take the
    // surface origin: neighbouring rectangles then share one dot grid, and the button's focus
    // rectangle keeps its dots where a full-window paint would put them.
    // Each perimeter pixel is inverted at most once, so a second call restores the first.
    for (int x = rect.Left; x < rect.Right; ++x) {
        invert(x, rect.Top);
        if (rect.Bottom - 1 != rect.Top)
            invert(x, rect.Bottom - 1);
    }
    for (int y = rect.Top + 1; y < rect.Bottom - 1; ++y) {
        invert(rect.Left, y);
        if (rect.Right - 1 != rect.Left)
            invert(rect.Right - 1, y);
    }
}

} // namespace gdi
