#pragma once

#include <QImage>
#include <vector>

#include "widgets/xp_button_look.h"

// The button's finished pictures, kept per look and screen scale: a button is painted again on
// every expose, focus change and hover, and the picture only changes with its state. Kept
// pictures that no longer match the button's size, caption, font or colours are dropped, so a
// button holds at most one picture per state.
class XpButtonImages
{
public:
    // The picture PaintXpButton(look, scale) gives, made only when not kept already.
    const QImage& image(const XpButtonLook& look, int scale);

private:
    struct Entry {
        XpButtonLook look;
        int scale = 1;
        QImage image;
    };

    std::vector<Entry> entries_;
};
