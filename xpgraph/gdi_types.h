#pragma once

#include "xpgraph/system_rgb.h"

#include <cstdint>

// Plain value types of the button's drawing layer, with the conventions of the Windows drawing
// calls: a rectangle includes its Left column and Top row and excludes Right and Bottom.
namespace gdi
{

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// A colour is either an RGB value 0x00RRGGBB or, with the top bit set, a system colour whose
// index is in the low bits. It is resolved to RGB only when something is drawn with it.
using TColor = std::uint32_t;

constexpr TColor kSystemColorFlag = 0x80000000u;

constexpr TColor RgbColor(int r, int g, int b)
{
    return (static_cast<TColor>(r & 0xFF) << 16) | (static_cast<TColor>(g & 0xFF) << 8) |
           static_cast<TColor>(b & 0xFF);
}

constexpr TColor SysColor(ui::SystemColor color)
{
    return kSystemColorFlag | static_cast<TColor>(color);
}

// The 0xRRGGBB value of a colour: system colours are looked up, RGB values pass unchanged.
std::uint32_t ColorToRgb(TColor color);

// The one operation the gradient fill needs from a surface: fill [Left,Right)×[Top,Bottom)
// with a solid 0xRRGGBB colour, clipped to the surface.
class SolidFillTarget
{
public:
    virtual ~SolidFillTarget() = default;
    virtual void FillSolid(const TRect& rect, std::uint32_t rgb) = 0;
};

} // namespace gdi
