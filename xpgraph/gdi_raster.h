#pragma once

#include "xpgraph/gdi_types.h"

#include <cstdint>
#include <optional>
#include <vector>

// Pixel-exact shape drawing with the rules of the Windows drawing calls, on a plain buffer of
// 32-bit pixels (0xFFRRGGBB, the layout of an RGB32 image). Every shape is clipped to the
// buffer; lines and outlines are 1 pixel wide.
namespace gdi
{

struct RoundOutline;

// Borrowed pixels: row y starts at bits + y * stride.
struct PixelView {
    std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

class GdiRaster : public SolidFillTarget
{
public:
    explicit GdiRaster(PixelView view) : view_(view) {}

    int Width() const { return view_.width; }
    int Height() const { return view_.height; }

    // The 0xRRGGBB value of a pixel; 0 outside the buffer.
    std::uint32_t Pixel(int x, int y) const;

    // Fills [Left,Right)×[Top,Bottom).
    void FillSolid(const TRect& rect, std::uint32_t rgb) override;
    void FillRect(const TRect& rect, TColor color) { FillSolid(rect, ColorToRgb(color)); }

    void SetPixel(int x, int y, TColor color);

    // A line from (x1, y1) towards (x2, y2); the end point itself is not drawn. The pixels of
    // a line and of its reverse differ only in the omitted end point.
    void Line(int x1, int y1, int x2, int y2, TColor pen);

    // The outline of [Left, Right-1]×[Top, Bottom-1]; corners may come in either order.
    void Rectangle(const TRect& rect, TColor pen);

    // A rectangle whose corners are quarters of an ellipseWidth × ellipseHeight ellipse, both
    // clamped to the rectangle's size; 2 or less in either gives square corners. With a brush
    // the enclosed pixels are filled first, then the outline is drawn over them.
    void RoundRect(const TRect& rect, int ellipseWidth, int ellipseHeight, TColor pen,
                   std::optional<TColor> brush = std::nullopt);

    // Inverts every other pixel of the perimeter of [Left,Right)×[Top,Bottom): those whose
    // x + y is odd, counted from the buffer's top-left pixel. Drawing it twice restores the
    // pixels.
    void InvertFocusRect(const TRect& rect);

private:
    void Plot(int x, int y, std::uint32_t rgb);
    void Span(int x1, int x2, int y, std::uint32_t rgb);
    void RectangleOutline(const TRect& rect, std::uint32_t pen);
    void FillEnclosed(const TRect& r, const RoundOutline& outline, std::uint32_t rgb);
    void DrawOutline(const TRect& r, const RoundOutline& outline, std::uint32_t rgb);

    PixelView view_;
};

// The top-left quarter of the outline of a width × height ellipse whose bounding box starts at
// (0, 0): the points with 2x <= width - 1 and 2y <= height - 1. Both sizes must be 1 or more.
struct Point {
    int x;
    int y;
    bool operator==(const Point&) const = default;
};
std::vector<Point> EllipseCorner(int width, int height);

} // namespace gdi
