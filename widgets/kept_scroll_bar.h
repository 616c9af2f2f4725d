#pragma once

#include <QImage>
#include <QScrollBar>

// A scroll bar whose picture can be taken ahead, while nothing waits (Keep()), and is put back on
// its next paints instead of drawing it again, as long as nothing that could change it has
// happened since: no value, range, size, state, style, palette, font or pointer change, and no
// window activation that changes the palette. Without a kept picture, away from the place in its
// window where the picture was drawn, or on a screen of fractional pixel ratio (see
// CopiesExactly), it paints as any scroll bar.
class KeptScrollBar : public QScrollBar
{
public:
    explicit KeptScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    // Takes the picture now. Not from inside a paint: painting then would begin a second paint
    // of the same widget.
    void Keep();
    bool HoldsPicture() const { return !picture_.isNull(); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void sliderChange(SliderChange change) override;

private:
    bool ActiveLooksInactive() const;

    QImage picture_;
    // Where in its window the picture was drawn; it is copied only there.
    QPoint place_;
    bool keeping_ = false;
};
