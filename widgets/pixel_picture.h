#pragma once

#include <QLabel>

// A label that shows a picture pixel for pixel. On a screen of whole-number pixel ratio each
// picture pixel becomes a solid block of device pixels; a plain label would smooth the
// enlargement and smear the picture's edges and fine lines. Text labels are unaffected.
class PixelPicture : public QLabel
{
    Q_OBJECT

public:
    explicit PixelPicture(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
