#include "widgets/xp_canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRect>

namespace
{

QImage BlankImage(int width, int height, const QColor& background)
{
    QImage image(qMax(width, 0), qMax(height, 0), QImage::Format_RGB32);
    image.setDevicePixelRatio(1.0);
    image.fill(background);
    return image;
}

gdi::PixelView ViewOf(QImage& image)
{
    // bits() detaches once here; the raster layer then writes straight into this copy.
    return {reinterpret_cast<std::uint32_t*>(image.bits()), image.width(), image.height(),
            static_cast<int>(image.bytesPerLine() / 4)};
}

// The face the button's font stands in for is a bitmap font: glyph pixels are either the text
// colour or untouched, never a blend with the face behind them.
QFont Crisp(QFont font)
{
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

} // namespace

XpCanvas::XpCanvas(int width, int height, const QColor& background)
    : image_(BlankImage(width, height, background)), raster_(ViewOf(image_))
{
}

QSize XpCanvas::textExtent(const QString& text, const QFont& font)
{
    const QFontMetrics metrics(Crisp(font));
    return {metrics.horizontalAdvance(text), metrics.ascent() + metrics.descent()};
}

void XpCanvas::drawText(int x, int y, const gdi::TRect& clip, const QString& text,
                        const QFont& font, const QColor& color)
{
    if (clip.Right <= clip.Left || clip.Bottom <= clip.Top || image_.isNull())
        return;
    QPainter painter(&image_);
    painter.setClipRect(QRect(clip.Left, clip.Top, clip.Right - clip.Left, clip.Bottom - clip.Top));
    const QFont crisp = Crisp(font);
    painter.setFont(crisp);
    painter.setPen(color);
    painter.drawText(x, y + QFontMetrics(crisp).ascent(), text);
}
