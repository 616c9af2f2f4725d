#include "app/page_shortcuts.h"

#include <QKeySequence>
#include <QShortcut>
#include <algorithm>

#include "app/error_reporting.h"
#include "app/main_window.h"

namespace
{

// Alt+1 ... Alt+9, then Alt+0 for the tenth page; later pages are reached by stepping.
constexpr int kDigitKeys = 10;

} // namespace

PageShortcuts::PageShortcuts(MainWindow& window) : QObject(&window), window_(window)
{
    for (const QKeyCombination keys : {Qt::CTRL | Qt::Key_PageDown, Qt::CTRL | Qt::Key_Tab})
        add(keys, 1, 0);
    // Shift+Tab arrives as Backtab with Shift held, and the shortcut map reads that press as
    // Ctrl+Shift+Tab and as Ctrl+Backtab alike. Two shortcuts matching two readings of one press
    // are ambiguous and neither runs, so the step back by Tab has one shortcut, under the
    // reading every window system offers.
    for (const QKeyCombination keys :
         {Qt::CTRL | Qt::Key_PageUp, Qt::CTRL | Qt::SHIFT | Qt::Key_Tab})
        add(keys, -1, 0);
    const int digitPages = std::min(window.pageCount(), kDigitKeys);
    for (int page = 1; page <= digitPages; ++page)
        add(Qt::ALT | Qt::Key(Qt::Key_0 + page % kDigitKeys), 0, page);
}

void PageShortcuts::add(const QKeySequence& keys, int step, int page)
{
    auto* shortcut = new QShortcut(keys, &window_);
    shortcut->setAutoRepeat(true);
    connect(shortcut, &QShortcut::activated, this, [this, step, page] { go(step, page); });
}

void PageShortcuts::go(int step, int page)
{
    // With no page shown, the first step forward shows the first page and the first step back
    // the last.
    const int pages = window_.pageCount();
    const int shown = window_.visiblePage();
    const int from = shown == 0 ? (step > 0 ? 0 : 1) : shown;
    const int target = page != 0 ? page : (from - 1 + step + pages) % pages + 1;
    RunReportingErrors([this, target] { window_.showPage(target); });
}
