#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <optional>

// A label that can lay out and draw its text ahead of time, while the program has nothing else to
// do, and then only copy those pixels when it is shown. Laying out a text again on every paint
// costs more than all the rest of showing a page of labels.
//
// The picture holds the label's text over the plain colour it stands on, so copying it gives
// exactly the pixels the label would draw. A label that stands over anything but one plain colour
// (a frame's edge, another control, a pattern), fills its own background or has changed since
// (text, font, colours, size, place, alignment, wrapping, margins) draws itself as any label, and
// so does every label on a screen of fractional pixel ratio (see CopiesExactly).
class PreparedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit PreparedLabel(QWidget* parent = nullptr);

    // Draws the picture as the label looks now; without a plain background, drops it instead.
    void Prepare();
    // Whether the next paint copies the picture.
    bool IsPrepared() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // What the picture depends on; a picture drawn for another look is never copied.
    struct Look {
        QRect place;
        qreal ratio = 1;
        QString text;
        QFont font;
        qint64 palette = 0;
        QPalette::ColorGroup colourGroup = QPalette::Active;
        QColor background;
        bool enabled = true;
        Qt::Alignment alignment;
        bool wordWrap = false;
        int indent = 0;
        int margin = 0;
        QMargins contents;
        Qt::LayoutDirection direction = Qt::LeftToRight;
        bool operator==(const Look&) const = default;
    };

    std::optional<Look> CurrentLook() const;

    QPixmap picture_;
    Look pictureLook_;
    bool drawingPicture_ = false;
};
