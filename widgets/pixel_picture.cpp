#include "widgets/pixel_picture.h"

#include <QPainter>
#include <QPixmap>
#include <QStyle>

PixelPicture::PixelPicture(QWidget* parent) : QLabel(parent) {}

void PixelPicture::paintEvent(QPaintEvent* event)
{
    const QPixmap picture = pixmap();
    if (picture.isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    // Only a fractional ratio needs smoothing; a whole-number one enlarges into exact blocks.
    const qreal ratio = devicePixelRatioF() / picture.devicePixelRatio();
    painter.setRenderHint(QPainter::SmoothPixmapTransform,
                          !qFuzzyCompare(ratio, qreal(qRound(ratio))));
    const QRect place = QStyle::alignedRect(
        layoutDirection(), alignment(), picture.deviceIndependentSize().toSize(), contentsRect());
    painter.drawPixmap(place, picture);
}
