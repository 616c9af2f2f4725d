#include "app/code_window_keys.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QShortcut>

#include "app/code_window.h"
#include "app/error_reporting.h"

CodeWindowKeys::CodeWindowKeys(CodeWindow& window) : QObject(&window), window_(window)
{
    add(QKeySequence::Cancel, &CodeWindow::closeClicked);
    add(QKeySequence::SelectAll, &CodeWindow::selectAllClicked);
    add(QKeySequence::Copy, &CodeWindow::copyClicked);
    add(QKeySequence::Save, &CodeWindow::saveToFileClicked);
    window.codeText->installEventFilter(this);
}

void CodeWindowKeys::add(QKeySequence::StandardKey keys, void (CodeWindow::*handler)())
{
    auto* shortcut = new QShortcut(&window_);
    shortcut->setKeys(keys);
    CodeWindow* window = &window_;
    connect(shortcut, &QShortcut::activated, this,
            ReportingErrors([window, handler] { (window->*handler)(); }));
}

// The text control's own copy would put bare line feeds on the clipboard.
bool CodeWindowKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    return key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll);
}
