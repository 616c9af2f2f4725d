#include "app/page_shortcuts.h"

#include <QKeySequence>
#include <QShortcut>

#include "app/error_reporting.h"
#include "app/main_window.h"

namespace
{

constexpr int kPages = 10;

} // namespace

PageShortcuts::PageShortcuts(TForm2& window) : QObject(&window), window_(window)
{
    for (const QKeyCombination keys : {Qt::CTRL | Qt::Key_PageDown, Qt::CTRL | Qt::Key_Tab})
        Add(keys, 1, 0);
    // Shift+Tab arrives as Backtab with Shift held, and the shortcut map reads that press as
    // Ctrl+Shift+Tab and as Ctrl+Backtab alike. Two shortcuts matching two readings of one press
    // are ambiguous and neither runs, so the step back by Tab has one shortcut, under the
    // reading every window system offers.
    for (const QKeyCombination keys :
         {Qt::CTRL | Qt::Key_PageUp, Qt::CTRL | Qt::SHIFT | Qt::Key_Tab})
        Add(keys, -1, 0);
    for (int page = 1; page <= kPages; ++page)
        Add(Qt::ALT | Qt::Key(Qt::Key_0 + page % kPages), 0, page);
}

void PageShortcuts::Add(const QKeySequence& keys, int step, int page)
{
    auto* shortcut = new QShortcut(keys, &window_);
    shortcut->setAutoRepeat(true);
    connect(shortcut, &QShortcut::activated, this, [this, step, page] { Go(step, page); });
}

void PageShortcuts::Go(int step, int page)
{
    // With no page shown, the first step forward shows page 1 and the first step back page 10.
    const int shown = window_.VisiblePage();
    const int from = shown == 0 ? (step > 0 ? 0 : 1) : shown;
    const int target = page != 0 ? page : (from - 1 + step + kPages) % kPages + 1;
    RunReportingErrors([this, target] { window_.ShowPage(target); });
}
