#pragma once

#include <QObject>

class QAction;
class MainWindow;

// The choice to put the stamp line before the code that Generate Code and Preview make, so that
// the snippet can be recognised and reopened later. A checkable action in the context menu of
// the window, the menu list and every page (Ctrl+Shift+T from anywhere in the window), kept
// between runs in the user's settings. Adds controls to none of the window's designed places.
class StampChoice : public QObject
{
    Q_OBJECT

public:
    // Starts with the remembered choice.
    explicit StampChoice(MainWindow& window);

    QAction* action = nullptr;
    // Whether the stamp line is asked for.
    bool chosen() const;

    // Where the choice is kept, beside the edition choice.
    static constexpr const char* kSettingsKey = "stamp";
};
