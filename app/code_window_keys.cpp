#include "app/code_window_keys.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QShortcut>

#include "app/code_window.h"
#include "app/error_reporting.h"

CodeWindowKeys::CodeWindowKeys(TForm4& window) : QObject(&window), window_(window)
{
    Add(QKeySequence::Cancel, &TForm4::xpButton4Click);
    Add(QKeySequence::SelectAll, &TForm4::xpButton1Click);
    Add(QKeySequence::Copy, &TForm4::xpButton2Click);
    Add(QKeySequence::Save, &TForm4::xpButton3Click);
    window.Memo1->installEventFilter(this);
}

void CodeWindowKeys::Add(QKeySequence::StandardKey keys, void (TForm4::*handler)())
{
    auto* shortcut = new QShortcut(&window_);
    shortcut->setKeys(keys);
    TForm4* window = &window_;
    connect(shortcut, &QShortcut::activated, this,
            [window, handler] { RunReportingErrors([window, handler] { (window->*handler)(); }); });
}

// The text control's own copy would put bare line feeds on the clipboard.
bool CodeWindowKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    return key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll);
}
