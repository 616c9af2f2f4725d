#pragma once

#include <cstdint>

// The system colours the program draws with and their RGB values, free of any toolkit so the
// pixel layer can resolve them too.
namespace ui
{

enum class SystemColor { ButtonFace, WindowText };

// The 0xRRGGBB value a system colour stands for on this desktop (the XP theme's values).
std::uint32_t SystemColorRgb(SystemColor color);

} // namespace ui
