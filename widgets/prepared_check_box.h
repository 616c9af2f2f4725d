#pragma once

#include <QCheckBox>
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QStyle>
#include <optional>
#include <vector>

class QStyleOptionButton;

// A check box that draws its looks at rest (checked and not, neither hovered, pressed nor
// focused) ahead of time, while the program has nothing else to do, and then only copies those
// pixels when it is painted in one of them. Laying out and drawing its caption again costs more
// than everything else a page change paints around it.
//
// As with PreparedLabel, each picture holds the box over the plain colour it stands on, so
// copying it gives exactly the pixels the style would draw; a box standing over anything else,
// in any other look, or on a screen of fractional pixel ratio, draws itself as any check box.
class PreparedCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    explicit PreparedCheckBox(QWidget* parent = nullptr);

    // Draws both looks at rest as the box is now (caption, font, colours, size, background);
    // without a plain background, drops the pictures instead.
    void Prepare();
    // Whether the next paint copies a picture.
    bool IsPrepared() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // What a picture depends on; a picture drawn for another look is never copied.
    struct Look {
        QSize size;
        qreal ratio = 1;
        int state = 0;
        QString text;
        QFont font;
        qint64 palette = 0;
        QPalette::ColorGroup colourGroup = QPalette::Active;
        QColor background;
        qint64 icon = 0;
        QSize iconSize;
        Qt::LayoutDirection direction = Qt::LeftToRight;
        const QStyle* style = nullptr;
        bool operator==(const Look&) const = default;
    };
    struct Picture {
        Look look;
        QPixmap pixels;
    };

    std::optional<Look> LookOf(const QStyleOptionButton& option) const;
    // The picture of the box's look as it is now, if one is kept.
    const Picture* Current() const;

    std::vector<Picture> kept_;
    // The look being drawn into a picture, while one is.
    const QStyleOptionButton* drawing_ = nullptr;
};
