#pragma once

class QWidget;

// The control of `page` that Tab reaches first when it comes to the page: the first of its
// descendants in the window's focus chain that takes the focus by Tab, is enabled and is not
// hidden inside the page. nullptr when the page has none.
QWidget* FirstInTabOrder(const QWidget* page);

// Moves the keyboard focus to the first control of a page that has just been shown, so that
// no key goes on acting on a page that was hidden. A page without such a control takes the
// focus itself, which keeps it off every hidden control.
void FocusShownPage(QWidget* page);

// Puts `link` right after the page's last control in the Tab ring. Done for each page as it is
// built, it keeps the link after every page's controls: Tab passes over the hidden pages', so
// it reaches the link after the shown page's fields and then comes back round to its first.
void ChainAfterPage(QWidget* page, QWidget* link);
