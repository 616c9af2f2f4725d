#include "xpgraph/gdi_types.h"

namespace gdi
{

std::uint32_t ColorToRgb(TColor color)
{
    if ((color & kSystemColorFlag) != 0)
        return ui::SystemColorRgb(static_cast<ui::SystemColor>(color & ~kSystemColorFlag));
    return color & 0xFFFFFF;
}

} // namespace gdi
