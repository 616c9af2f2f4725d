#pragma once

#include "xpgraph/gdi_types.h"

#include <cstdint>

// Drawing helpers of the XP-style button: the banded gradient of its face and small integer
// helpers. Nothing here keeps state.
namespace XPGraphUtil
{

// Direction of a gradient: bands stepping down from Top (0, 1) or right from Left (2, 3);
// 0 and 2 run from the first colour to the second, 1 and 3 from the second to the first.
enum GradientDirection : std::uint8_t {
    gdTopToBottom = 0,
    gdBottomToTop = 1,
    gdLeftToRight = 2,
    gdRightToLeft = 3,
};

int Max(int a, int b);
int Min(int a, int b);
int RectWidth(const gdi::TRect& rect);
int RectHeight(const gdi::TRect& rect);

// a × b / c on 64 bits, rounded to the nearest integer with halves away from zero. A zero
// divisor or a result outside 32 bits gives -1.
int MulDiv(int a, int b, int c);

// Fills rect with equal bands shading from one colour to the other; see GradientDirection.
// Draws nothing for an empty rect. A step count of 0 or 1 fills the whole rect with the first
// colour. Otherwise the band count is max(2, min(steps, length)); the pixels left over below
// (or right of) the last whole band take the end colour. Nothing outside rect is touched.
// Directions above 3 draw nothing unless the step count is below 2.
void FillGradient(gdi::SolidFillTarget& canvas, const gdi::TRect& rect, gdi::TColor first,
                  gdi::TColor second, std::uint8_t direction, std::uint8_t steps);

} // namespace XPGraphUtil
