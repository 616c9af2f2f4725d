#pragma once

#include <QKeySequence>
#include <QObject>

class CodeWindow;

// The code window's keys, each doing what its button does: Escape closes the window, Ctrl+A
// selects all, Ctrl+C copies with CR LF line ends and Ctrl+S saves to a file, wherever the
// focus is inside the window. Owned by the window.
class CodeWindowKeys : public QObject
{
    Q_OBJECT

public:
    explicit CodeWindowKeys(CodeWindow& window);

    // Keeps codeText from taking Select All and Copy for itself, so they reach the window.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void add(QKeySequence::StandardKey keys, void (CodeWindow::*handler)());

    CodeWindow& window_;
};
