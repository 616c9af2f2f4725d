#include "app/page_focus.h"

#include <QWidget>

namespace
{

bool TakesTab(const QWidget* page, const QWidget* w)
{
    return page->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus &&
           w->isEnabled() && w->isVisibleTo(page);
}

} // namespace

QWidget* FirstInTabOrder(const QWidget* page)
{
    // A page comes before its own controls in the chain, so walking on from it meets them in
    // the order Tab does.
    for (QWidget* w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain()) {
        if (TakesTab(page, w))
            return w;
    }
    return nullptr;
}

void FocusShownPage(QWidget* page)
{
    if (QWidget* first = FirstInTabOrder(page)) {
        first->setFocus(Qt::TabFocusReason);
        return;
    }
    page->setFocus(Qt::OtherFocusReason);
}

void ChainAfterPage(QWidget* page, QWidget* link)
{
    QWidget* last = nullptr;
    for (QWidget* w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain()) {
        if (TakesTab(page, w))
            last = w;
    }
    if (last)
        QWidget::setTabOrder(last, link);
}
