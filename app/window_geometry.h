#pragma once

#include <QRect>
#include <QSize>
#include <algorithm>

// The main window's parts, placed by the number of gadgets. The menu panel was designed for ten
// lines of 20 px; each further gadget makes the panel and the page area one line taller and
// moves the footer and the window's bottom down as far. Ten or fewer keep the designed places.
namespace window_geometry
{

constexpr int kDesignedLines = 10;
constexpr int kLineHeight = 20;

constexpr int ExtraHeight(int gadgets)
{
    return kLineHeight * std::max(0, gadgets - kDesignedLines);
}

// The y of the menu's line `index` (0 for the first): 20 px apart, the first 2 px higher than
// the rhythm would put it.
constexpr int MenuLineY(int index)
{
    return index == 0 ? 8 : 10 + kLineHeight * index;
}

inline QSize WindowSize(int gadgets)
{
    return {538, 338 + ExtraHeight(gadgets)};
}
inline QRect MenuPanel(int gadgets)
{
    return {0, 36, 161, 213 + ExtraHeight(gadgets)};
}
inline QRect PageArea(int gadgets)
{
    return {168, 36, 369, 213 + ExtraHeight(gadgets)};
}
inline QRect BrandImage(int gadgets)
{
    return {2, 256 + ExtraHeight(gadgets), 536, 57};
}
inline QRect LinkLine(int gadgets)
{
    return {1, 320 + ExtraHeight(gadgets), 537, 13};
}

} // namespace window_geometry
