#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;

// The window's side of keyboard dialog handling, which Qt leaves to each widget: before a key
// press reaches the focused widget, Escape and unclaimed Enter are offered as dialog keys, and
// a character typed with Alt (or while the focused widget takes no text) as a mnemonic, to
// every XP-style button of that widget's window, visible or not. No offer consumes the key.
class DialogKeyRouter : public QObject
{
    Q_OBJECT

public:
    // Installs the one router on the application; later calls do nothing.
    static void install();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit DialogKeyRouter(QObject* parent) : QObject(parent) {}
    static void offer(QWidget* receiver, const QKeyEvent& key);
};
