#pragma once

#include <QColor>
#include <QMap>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>
#include <tuple>

// The application's style, except that two frames are drawn once per size and look and then
// copied: a line edit's box (its background and its rounded, smoothed frame), whose stroking
// costs more than all the rest of a line edit's paint, and the edge of a plain frame (a page),
// whose lines take longer to draw than copying the whole page's texts. Only a frame that covers
// its widget and stands on one plain colour (see plain_background.h) is copied; the picture
// holds that colour wherever the style leaves it, so the copy gives exactly the pixels the style
// would draw. On a screen of fractional pixel ratio nothing is copied (see CopiesExactly).
class PreparedFrameStyle : public QProxyStyle
{
public:
    // The one instance for the application's current style, owned by the application; nullptr
    // when that style cannot be made again by its name (a style of the program's own making).
    static PreparedFrameStyle* Instance();

    // While one exists, the frames drawn are kept for later copies. Without one, only frames
    // kept already are copied: a frame first met on screen is drawn as the style draws it, which
    // costs less than drawing its picture as well.
    class Preparing
    {
    public:
        Preparing();
        ~Preparing();
        Preparing(const Preparing&) = delete;
        Preparing& operator=(const Preparing&) = delete;

    private:
        QPointer<PreparedFrameStyle> style_;
    };

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

    // How many frames are kept; bounded, so that no number of sizes and looks makes it grow.
    int KeptCount() const { return static_cast<int>(kept_.size()); }

private:
    explicit PreparedFrameStyle(QStyle* base);

    // The picture to copy for `option`'s frame of the `kind` given, or nullptr when the style
    // draws it: not a frame covering its widget over one plain colour, or not kept (see Kept).
    const QPixmap* Copy(int kind, const QStyleOption* option, const QPainter& painter,
                        const QWidget* widget) const;
    // Which frame, its size, pixel ratio, state, palette, line widths, direction, background.
    using Key = std::tuple<int, int, int, qreal, int, qint64, int, int, int, QRgb>;
    // The frame's picture; unless it is kept, drawn now while preparing (a line edit's box with
    // and without the focus at once) and nullptr otherwise.
    const QPixmap* Kept(int kind, const QStyleOptionFrame& frame, const QWidget* widget,
                        qreal ratio, const QColor& background) const;
    // The frame as the style draws it over `background`, at the origin.
    QPixmap Draw(int kind, const QStyleOptionFrame& frame, const QWidget* widget, qreal ratio,
                 const QColor& background) const;

    mutable QMap<Key, QPixmap> kept_;
    int preparing_ = 0;
};
