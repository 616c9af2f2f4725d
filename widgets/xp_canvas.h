#pragma once

#include "xpgraph/gdi_raster.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

#include <utility>

// An off-screen RGB32 image at device pixel ratio 1 with the button's drawing operations:
// shapes go pixel-exact through the raster layer, text through the toolkit's painter.
class XpCanvas
{
public:
    XpCanvas(int width, int height, const QColor& background);
    XpCanvas(const XpCanvas&) = delete;
    XpCanvas& operator=(const XpCanvas&) = delete;

    gdi::GdiRaster& raster() { return raster_; }

    // Width: the advance of the text; height: the font's ascent plus descent.
    static QSize textExtent(const QString& text, const QFont& font);

    // Text whose cell has its top-left corner at (x, y), in one colour with a transparent
    // background; only pixels inside clip change.
    void drawText(int x, int y, const gdi::TRect& clip, const QString& text, const QFont& font,
                  const QColor& color);

    // The finished picture. Drawing after taking it is not allowed.
    QImage takeImage() { return std::move(image_); }

private:
    QImage image_;
    gdi::GdiRaster raster_;
};
