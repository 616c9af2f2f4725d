#include "widgets/xp_button_accessible.h"

#include "widgets/caption_text.h"
#include "widgets/xp_button.h"

namespace
{

QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("TxpButton") && object && object->isWidgetType())
        return new XpButtonAccessible(static_cast<TxpButton*>(object));
    return nullptr;
}

} // namespace

XpButtonAccessible::XpButtonAccessible(TxpButton* button)
    : QAccessibleWidget(button, QAccessible::Button)
{
}

TxpButton* XpButtonAccessible::Button() const
{
    return static_cast<TxpButton*>(widget());
}

QString XpButtonAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && Button()->accessibleName().isEmpty())
        return caption::DisplayText(Button()->Caption());
    return QAccessibleWidget::text(t);
}

QAccessible::State XpButtonAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.pressed = Button()->Pressed();
    return state;
}

QStringList XpButtonAccessible::actionNames() const
{
    return {pressAction()};
}

void XpButtonAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction() && Button()->isEnabled())
        Button()->Click();
}

void InstallXpButtonAccessibility()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(Factory);
        installed = true;
    }
}
