#include "xpgraph/gdi_raster.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <utility>

namespace gdi
{

namespace
{

// Integer ellipse rasterisation over a bounding box of pixels (after A. Zingl, "A Rasterizing
// Algorithm for Drawing Curves"): the error term tracks the implicit ellipse equation, and the
// two halves are walked outwards from the middle row so even and odd sizes come out symmetric.
template <typename PlotFn> void EllipseOutline(std::int64_t a, std::int64_t b, PlotFn plot)
{
    std::int64_t x0 = 0;
    std::int64_t x1 = a;
    std::int64_t odd = b & 1;
    std::int64_t dx = 4 * (1 - a) * b * b;
    std::int64_t dy = 4 * (odd + 1) * a * a;
    std::int64_t err = dx + dy + odd * a * a;
    std::int64_t yLow = (b + 1) / 2;
    std::int64_t yHigh = yLow - odd;
    const std::int64_t stepX = 8 * a * a;
    const std::int64_t stepY = 8 * b * b;
    do {
        plot(x1, yLow);
        plot(x0, yLow);
        plot(x0, yHigh);
        plot(x1, yHigh);
        const std::int64_t e2 = 2 * err;
        if (e2 <= dy) {
            ++yLow;
            --yHigh;
            dy += stepX;
            err += dy;
        }
        if (e2 >= dx || 2 * err > dy) {
            ++x0;
            --x1;
            dx += stepY;
            err += dx;
        }
    } while (x0 <= x1);
    // A very flat ellipse stops before reaching its ends; finish the tips row by row.
    while (yLow - yHigh <= b) {
        plot(x0 - 1, yLow);
        plot(x1 + 1, yLow++);
        plot(x0 - 1, yHigh);
        plot(x1 + 1, yHigh--);
    }
}

} // namespace

std::vector<Point> EllipseCorner(int width, int height)
{
    std::vector<Point> points;
    EllipseOutline(width - 1, height - 1, [&](std::int64_t x, std::int64_t y) {
        const Point p{static_cast<int>(x), static_cast<int>(y)};
        if (x >= 0 && y >= 0 && 2 * x <= width - 1 && 2 * y <= height - 1 &&
            std::find(points.begin(), points.end(), p) == points.end())
            points.push_back(p);
    });
    return points;
}

// The corner pixels mirrored into all four corners of r, and how far the straight edges stay
// away from the rectangle's corners.
struct RoundOutline {
    std::vector<Point> points;
    int topInset;
    int sideInset;
};

namespace
{

RoundOutline MirrorCorner(const TRect& r, const std::vector<Point>& corner)
{
    RoundOutline outline{{}, r.Right - r.Left, r.Bottom - r.Top};
    for (const Point& p : corner) {
        if (p.y == 0)
            outline.topInset = std::min(outline.topInset, p.x);
        if (p.x == 0)
            outline.sideInset = std::min(outline.sideInset, p.y);
        outline.points.push_back({r.Left + p.x, r.Top + p.y});
        outline.points.push_back({r.Right - 1 - p.x, r.Top + p.y});
        outline.points.push_back({r.Left + p.x, r.Bottom - 1 - p.y});
        outline.points.push_back({r.Right - 1 - p.x, r.Bottom - 1 - p.y});
    }
    return outline;
}

} // namespace

// The outline is convex, so what it encloses on a row is everything between its leftmost and
// rightmost pixel there; between the corners the straight sides bound every row.
void GdiRaster::FillEnclosed(const TRect& r, const RoundOutline& outline, std::uint32_t rgb)
{
    const int h = r.Bottom - r.Top;
    std::vector<std::pair<int, int>> rows(static_cast<std::size_t>(h), {INT_MAX, INT_MIN});
    for (const Point& p : outline.points) {
        auto& row = rows[static_cast<std::size_t>(p.y - r.Top)];
        row = {std::min(row.first, p.x), std::max(row.second, p.x)};
    }
    for (int y = outline.sideInset; y <= h - 1 - outline.sideInset; ++y)
        rows[static_cast<std::size_t>(y)] = {r.Left, r.Right - 1};
    for (int y = 0; y < h; ++y) {
        const auto& row = rows[static_cast<std::size_t>(y)];
        if (row.first <= row.second)
            Span(row.first, row.second, r.Top + y, rgb);
    }
}

void GdiRaster::DrawOutline(const TRect& r, const RoundOutline& outline, std::uint32_t rgb)
{
    for (const Point& p : outline.points)
        Plot(p.x, p.y, rgb);
    Span(r.Left + outline.topInset, r.Right - 1 - outline.topInset, r.Top, rgb);
    Span(r.Left + outline.topInset, r.Right - 1 - outline.topInset, r.Bottom - 1, rgb);
    FillSolid({r.Left, r.Top + outline.sideInset, r.Left + 1, r.Bottom - outline.sideInset}, rgb);
    FillSolid({r.Right - 1, r.Top + outline.sideInset, r.Right, r.Bottom - outline.sideInset}, rgb);
}

void GdiRaster::RoundRect(const TRect& rect, int ellipseWidth, int ellipseHeight, TColor pen,
                          std::optional<TColor> brush)
{
    const TRect r{std::min(rect.Left, rect.Right), std::min(rect.Top, rect.Bottom),
                  std::max(rect.Left, rect.Right), std::max(rect.Top, rect.Bottom)};
    const int w = r.Right - r.Left;
    const int h = r.Bottom - r.Top;
    if (w == 0 || h == 0)
        return;
    const int ew = std::min(ellipseWidth, w);
    const int eh = std::min(ellipseHeight, h);
    if (ew <= 2 || eh <= 2) {
        if (brush)
            FillSolid({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, ColorToRgb(*brush));
        RectangleOutline(r, ColorToRgb(pen));
        return;
    }
    const RoundOutline outline = MirrorCorner(r, EllipseCorner(ew, eh));
    if (brush)
        FillEnclosed(r, outline, ColorToRgb(*brush));
    DrawOutline(r, outline, ColorToRgb(pen));
}

} // namespace gdi
