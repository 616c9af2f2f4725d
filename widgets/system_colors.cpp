#include "widgets/system_colors.h"

namespace ui
{

QColor ResolveSystemColor(SystemColor color)
{
    return QColor::fromRgb(SystemColorRgb(color));
}

} // namespace ui
