#pragma once

#include "xpgraph/system_rgb.h"

#include <QColor>

// The two system colours the program draws with, resolved to RGB in one place.
namespace ui
{

// The RGB value a system colour stands for on this desktop (the XP theme's values).
QColor ResolveSystemColor(SystemColor color);

} // namespace ui
