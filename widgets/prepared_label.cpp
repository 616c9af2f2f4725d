#include "widgets/prepared_label.h"

#include <QPainter>

#include "widgets/plain_background.h"

PreparedLabel::PreparedLabel(QWidget* parent) : QLabel(parent) {}

std::optional<PreparedLabel::Look> PreparedLabel::CurrentLook() const
{
    if (textFormat() != Qt::PlainText)
        return std::nullopt;
    const std::optional<QColor> background = PlainBackground(*this);
    if (!background || !CopiesExactly(devicePixelRatioF()))
        return std::nullopt;
    // The colour group follows whether the window is active, which changes no palette's key.
    const QPalette& colours = palette();
    return Look{geometry(),
                devicePixelRatioF(),
                text(),
                font(),
                colours.cacheKey(),
                colours.currentColorGroup(),
                *background,
                isEnabled(),
                alignment(),
                wordWrap(),
                indent(),
                margin(),
                contentsMargins(),
                layoutDirection()};
}

void PreparedLabel::Prepare()
{
    picture_ = QPixmap();
    const std::optional<Look> look = CurrentLook();
    if (!look || size().isEmpty())
        return;
    QPixmap picture(size() * look->ratio);
    picture.setDevicePixelRatio(look->ratio);
    picture.fill(look->background);
    drawingPicture_ = true;
    render(&picture, QPoint(), QRegion(), RenderFlags());
    drawingPicture_ = false;
    picture_ = picture;
    pictureLook_ = *look;
}

bool PreparedLabel::IsPrepared() const
{
    return !picture_.isNull() && CurrentLook() == pictureLook_;
}

void PreparedLabel::paintEvent(QPaintEvent* event)
{
    if (drawingPicture_ || picture_.isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    if (!IsPrepared()) {
        picture_ = QPixmap(); // changed since: it will not look like this again soon
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}
