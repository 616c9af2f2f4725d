#include "widgets/kept_scroll_bar.h"

#include <QEvent>
#include <QPainter>

#include "widgets/plain_background.h"

namespace
{

// Events after which the scroll bar looks as it did: it was only shown, hidden, moved or asked
// to paint.
bool KeepsLook(QEvent::Type type)
{
    switch (type) {
    case QEvent::Paint:
    case QEvent::UpdateRequest:
    case QEvent::UpdateLater:
    case QEvent::Move:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        return true;
    default:
        return false;
    }
}

bool ActivationOnly(QEvent::Type type)
{
    return type == QEvent::WindowActivate || type == QEvent::WindowDeactivate ||
           type == QEvent::ActivationChange;
}

} // namespace

// The toolkit itself paints nothing again when its window is activated or deactivated unless
// that changes the palette, so a picture taken either way is what the window would show.
bool KeptScrollBar::ActiveLooksInactive() const
{
    return palette().isEqual(QPalette::Active, QPalette::Inactive);
}

KeptScrollBar::KeptScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent)
{
}

void KeptScrollBar::Keep()
{
    const qreal ratio = devicePixelRatioF();
    // Drawn where it stands in its window: Qt steps a gradient from the window's corner, so a
    // picture drawn at its own corner can differ by a shade in a row.
    const QPoint place = mapTo(window(), QPoint(0, 0));
    QImage picture(QSize(place.x() + width(), place.y() + height()) * ratio,
                   QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    // While rendering, the scroll bar paints itself, not a picture kept earlier.
    keeping_ = true;
    render(&picture, place, QRegion(), QWidget::RenderFlags());
    keeping_ = false;
    picture_ = picture.copy(QRect(place * ratio, size() * ratio));
    place_ = place;
}

bool KeptScrollBar::event(QEvent* event)
{
    if (!KeepsLook(event->type()) && !(ActivationOnly(event->type()) && ActiveLooksInactive()))
        picture_ = QImage();
    return QScrollBar::event(event);
}

void KeptScrollBar::sliderChange(SliderChange change)
{
    picture_ = QImage();
    QScrollBar::sliderChange(change);
}

void KeptScrollBar::paintEvent(QPaintEvent* event)
{
    // Moved in its window, by itself or with what holds it, the bar would draw other shades.
    if (keeping_ || picture_.isNull() || picture_.devicePixelRatio() != devicePixelRatioF() ||
        !CopiesExactly(devicePixelRatioF()) || mapTo(window(), QPoint(0, 0)) != place_)
        return QScrollBar::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), picture_);
}
