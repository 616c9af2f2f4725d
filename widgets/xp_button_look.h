#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

// Everything one paint of the XP-style button depends on; nothing else is remembered between
// paints.
struct XpButtonLook {
    int width = 0;
    int height = 0;
    bool enabled = true;
    bool hovered = false;
    bool pressed = false;
    bool focused = false;
    QString caption;
    QFont font;
    QColor fontColor;
    QColor background; // the surface behind the button, seen outside its rounded frame

    bool operator==(const XpButtonLook&) const = default;
};

// The button drawn into a width × height RGB32 image at device pixel ratio 1.
QImage PaintXpButton(const XpButtonLook& look);

// The button for a screen of whole-number pixel ratio `scale`: an image `scale` times as wide and
// high, of that device pixel ratio, in which each designed pixel of the frame, the gradient, the
// focus rectangle and the accelerator underline is a solid scale × scale block, and the caption
// is drawn at the device resolution. A scale of 1 or less gives PaintXpButton(look).
QImage PaintXpButton(const XpButtonLook& look, int scale);
