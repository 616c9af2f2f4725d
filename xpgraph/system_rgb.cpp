#include "xpgraph/system_rgb.h"

namespace ui
{

std::uint32_t SystemColorRgb(SystemColor color)
{
    switch (color) {
    case SystemColor::ButtonFace:
        return 0xECE9D8;
    case SystemColor::WindowText:
        return 0x000000;
    }
    return 0x000000;
}

} // namespace ui
