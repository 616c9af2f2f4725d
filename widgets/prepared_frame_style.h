#pragma once

#include <QColor>
#include <QMap>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleOption>
#include <tuple>

// The application's style, except that a line edit's box (its background and its rounded,
// smoothed frame) is drawn once per size and look and then copied. Stroking the frame costs
// more than all the rest of a line edit's paint. Only a box that covers its line edit and stands
// on one plain colour (see plain_background.h) is copied; the picture holds that colour at its
// corners, so the copy gives exactly the pixels the style would draw.
class PreparedFrameStyle : public QProxyStyle
{
public:
    // The one instance for the application's current style, owned by the application.
    static PreparedFrameStyle& Instance();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

    // How many boxes are kept; bounded, so that no number of sizes and looks makes it grow.
    int KeptCount() const { return static_cast<int>(kept_.size()); }

private:
    explicit PreparedFrameStyle(QStyle* base);

    using Key = std::tuple<int, int, qreal, int, qint64, int, int, QRgb>;
    // The box's picture, drawn now unless it is kept.
    const QPixmap& Kept(const QStyleOptionFrame& box, const QWidget* widget, qreal ratio,
                        const QColor& background) const;
    // The box as the style draws it over `background`, at the origin.
    QPixmap Draw(const QStyleOptionFrame& option, const QWidget* widget, qreal ratio,
                 const QColor& background) const;

    mutable QMap<Key, QPixmap> kept_;
};
