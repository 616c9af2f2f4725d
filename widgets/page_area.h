#pragma once

#include <QWidget>

// The place a window's pages share. Its owner shows one page at a time and hides the others,
// which is all a stacked widget would do here; a stack also turns updates off and on again over
// every control of every page at each change, which costs more than the rest of the change.
class PageArea : public QWidget
{
    Q_OBJECT

public:
    explicit PageArea(QWidget* parent = nullptr);

    // Makes `page` a page of the area, filling it and hidden until shown.
    void addPage(QWidget* page);
};
