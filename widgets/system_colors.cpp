#include "widgets/system_colors.h"

namespace ui {

QColor ResolveSystemColor(SystemColor color)
{
    switch (color) {
    case SystemColor::ButtonFace:
        return QColor(0xEC, 0xE9, 0xD8);
    case SystemColor::WindowText:
        return QColor(0x00, 0x00, 0x00);
    }
    return QColor(0x00, 0x00, 0x00);
}

} // namespace ui
