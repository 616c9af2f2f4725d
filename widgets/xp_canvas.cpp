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

} // namespace

XpCanvas::XpCanvas(int width, int height, const QColor& background)
    : image_(BlankImage(width, height, background)), raster_(ViewOf(image_))
{
}

QSize XpCanvas::TextExtent(const QString& text, const QFont& font)
{
    const QFontMetrics metrics(font);
    return {metrics.horizontalAdvance(text), metrics.ascent() + metrics.descent()};
}

void XpCanvas::TextOut(int x, int y, const gdi::TRect& clip, const QString& text, const QFont& font,
                       const QColor& color)
{
    if (clip.Right <= clip.Left || clip.Bottom <= clip.Top || image_.isNull())
        return;
    QPainter painter(&image_);
    painter.setClipRect(QRect(clip.Left, clip.Top, clip.Right - clip.Left, clip.Bottom - clip.Top));
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(x, y + QFontMetrics(font).ascent(), text);
}
