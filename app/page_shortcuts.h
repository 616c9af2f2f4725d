#pragma once

#include <QObject>

class QKeySequence;
class MainWindow;

// The pages of the main window from the keyboard, on top of the menu: Ctrl+Page Down and
// Ctrl+Tab show the next page, Ctrl+Page Up and Ctrl+Shift+Tab the previous one, wrapping
// round at either end; Alt+1 ... Alt+9 and Alt+0 show the first ten pages. Owned by the
// window.
class PageShortcuts : public QObject
{
    Q_OBJECT

public:
    explicit PageShortcuts(MainWindow& window);

private:
    void add(const QKeySequence& keys, int step, int page);
    // Shows `page`, or with page 0 the page `step` menu lines away from the shown one.
    void go(int step, int page);

    MainWindow& window_;
};
