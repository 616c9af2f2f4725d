#include "widgets/page_area.h"

PageArea::PageArea(QWidget* parent) : QWidget(parent) {}

void PageArea::addPage(QWidget* page)
{
    page->setParent(this);
    page->setGeometry(rect());
    page->hide();
}
