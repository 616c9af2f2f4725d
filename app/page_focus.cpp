#include "app/page_focus.h"

#include <QWidget>

QWidget* FirstInTabOrder(const QWidget* page)
{
    // A page comes before its own controls in the chain, so walking on from it meets them in
    // the order Tab does.
    for (QWidget* w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain()) {
        if (page->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus &&
            w->isEnabled() && w->isVisibleTo(page))
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
