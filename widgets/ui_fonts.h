#pragma once

#include <QFont>

// The windows are laid out for Windows faces that Linux does not have. Every stand-in is chosen
// here, so one change moves the whole program.
namespace ui
{

// The closest installed sans face to the Windows dialog face, at a character height in pixels.
QFont DialogFont(int pixelHeight, bool bold = false, bool underline = false);

// The heavy display face of the title band.
QFont BandFont(int pixelHeight);

} // namespace ui
