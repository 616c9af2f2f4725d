#pragma once

#include "widgets/ui_fonts.h"
#include "widgets/xp_button_look.h"

#include <QImage>

// Shared by the button look tests: one pixel's colour and the standard look of a test button.
using Rgb = QRgb;

inline Rgb At(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

// An enabled, idle button in the caption font, black text, on a #405060 surface.
inline XpButtonLook Look(const QString& caption, int width = 89, int height = 25)
{
    XpButtonLook look;
    look.width = width;
    look.height = height;
    look.caption = caption;
    look.font = ui::DialogFont(11);
    look.fontColor = Qt::black;
    look.background = QColor(0x405060);
    return look;
}
