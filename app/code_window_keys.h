#pragma once

#include <QKeySequence>
#include <QObject>

class TForm4;

// The code window's keys, each doing what its button does: Escape closes the window, Ctrl+A
// selects all, Ctrl+C copies with CR LF line ends and Ctrl+S saves to a file, wherever the
// focus is inside the window. Owned by the window.
class CodeWindowKeys : public QObject
{
    Q_OBJECT

public:
    explicit CodeWindowKeys(TForm4& window);

    // Keeps Memo1 from taking Select All and Copy for itself, so they reach the window.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Add(QKeySequence::StandardKey keys, void (TForm4::*handler)());

    TForm4& window_;
};
