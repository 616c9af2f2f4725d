#include "widgets/xp_button_accessible.h"

#include "widgets/caption_text.h"
#include "widgets/xp_button.h"

namespace
{

QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("XpButton") && object && object->isWidgetType())
        return new XpButtonAccessible(static_cast<XpButton*>(object));
    return nullptr;
}

} // namespace

XpButtonAccessible::XpButtonAccessible(XpButton* button)
    : QAccessibleWidget(button, QAccessible::Button)
{
}

XpButton* XpButtonAccessible::button() const
{
    return static_cast<XpButton*>(widget());
}

QString XpButtonAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && button()->accessibleName().isEmpty())
        return caption::DisplayText(button()->caption());
    return QAccessibleWidget::text(t);
}

QAccessible::State XpButtonAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.pressed = button()->isPressed();
    return state;
}

QStringList XpButtonAccessible::actionNames() const
{
    return {pressAction()};
}

void XpButtonAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction() && button()->isEnabled())
        button()->click();
}

void InstallXpButtonAccessibility()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(Factory);
        installed = true;
    }
}
