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
};

// The button drawn into a width × height RGB32 image at device pixel ratio 1.
QImage PaintXpButton(const XpButtonLook& look);
