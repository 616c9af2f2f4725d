#pragma once

#include "widgets/xp_button.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

// A window with an edit field and two buttons for the behaviour tests.
// Show() makes it the active window and focuses the first button.
struct Window {
    Window()
    {
        widget.resize(300, 120);
        edit = new QLineEdit(&widget);
        edit->setGeometry(10, 10, 100, 20);
        first = new XpButton(&widget);
        first->setGeometry(10, 40, 89, 25);
        second = new XpButton(&widget);
        second->setGeometry(110, 40, 89, 25);
    }

    bool Show()
    {
        widget.show();
        QApplication::setActiveWindow(&widget);
        if (!QTest::qWaitForWindowActive(&widget))
            return false;
        first->setFocus(Qt::OtherFocusReason);
        return first->hasFocus();
    }

    QWidget widget;
    QLineEdit* edit;
    XpButton* first;
    XpButton* second;
};

inline void SendKey(QWidget* to, QEvent::Type type, int key, bool autoRepeat,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                    const QString& text = QString())
{
    QKeyEvent event(type, key, modifiers, text, autoRepeat);
    QApplication::sendEvent(to, &event);
}
