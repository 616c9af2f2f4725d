#include "widgets/dialog_key_router.h"

#include "widgets/xp_button.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>

namespace
{

bool IsEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Multi-line editors keep Enter for a new line.
bool ClaimsEnter(const QWidget* widget)
{
    return qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QTextEdit*>(widget);
}

// Lists and combo boxes take characters too, for their keyboard search.
bool TakesText(const QWidget* widget)
{
    return widget->testAttribute(Qt::WA_InputMethodEnabled) ||
           qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) || ClaimsEnter(widget);
}

// The character a key press types; with Alt held some platforms leave the text empty.
QString TypedCharacter(const QKeyEvent& key)
{
    const QString text = key.text();
    if (!text.isEmpty())
        return text.at(0) >= QLatin1Char(' ') && text.at(0) != QChar(0x7F) ? text : QString();
    if (key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z)
        return QString(QChar(key.key() - Qt::Key_A + 'a'));
    if (key.key() >= Qt::Key_0 && key.key() <= Qt::Key_9)
        return QString(QChar(key.key()));
    return {};
}

} // namespace

void DialogKeyRouter::install()
{
    static QPointer<DialogKeyRouter> router;
    if (router || !qApp)
        return;
    router = new DialogKeyRouter(qApp);
    qApp->installEventFilter(router);
}

bool DialogKeyRouter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* receiver = static_cast<QWidget*>(watched);
    // A key the focused widget ignores travels on to its parents; offer it only once, to the
    // window of the widget that received it first.
    const QWidget* focus = QApplication::focusWidget();
    if (focus ? receiver != focus : !receiver->isWindow())
        return false;
    offer(receiver, *static_cast<QKeyEvent*>(event));
    return false;
}

void DialogKeyRouter::offer(QWidget* receiver, const QKeyEvent& key)
{
    const QPointer<QWidget> window(receiver->window());
    const QList<QPointer<XpButton>> buttons = [&] {
        QList<QPointer<XpButton>> list;
        for (XpButton* button : window->findChildren<XpButton*>())
            list.append(button);
        return list;
    }();
    const bool dialogKey =
        key.key() == Qt::Key_Escape || (IsEnter(key.key()) && !ClaimsEnter(receiver));
    const QString typed = TypedCharacter(key);
    const bool mnemonic =
        !typed.isEmpty() && (key.modifiers().testFlag(Qt::AltModifier) || !TakesText(receiver));
    // Click handlers may close windows or delete buttons, so every button is checked again.
    for (const QPointer<XpButton>& button : buttons) {
        if (button && dialogKey)
            button->offerDialogKey(key.key());
    }
    for (const QPointer<XpButton>& button : buttons) {
        if (button && mnemonic)
            button->offerMnemonic(typed);
    }
}
