#include "app/click_label_accessible.h"

#include "app/click_label.h"

namespace
{

QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("ClickLabel") && object && object->isWidgetType())
        return new ClickLabelAccessible(static_cast<ClickLabel*>(object));
    return nullptr;
}

} // namespace

ClickLabelAccessible::ClickLabelAccessible(ClickLabel* label)
    : QAccessibleWidget(label, QAccessible::Link)
{
}

QAccessible::Role ClickLabelAccessible::role() const
{
    return Label()->IsChoice() ? QAccessible::PageTab : QAccessible::Link;
}

ClickLabel* ClickLabelAccessible::Label() const
{
    return static_cast<ClickLabel*>(widget());
}

QString ClickLabelAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && Label()->accessibleName().isEmpty())
        return Label()->text();
    return QAccessibleWidget::text(t);
}

QAccessible::State ClickLabelAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    if (Label()->IsChoice()) {
        state.selectable = true;
        state.selected = Label()->IsCurrent();
    }
    return state;
}

QStringList ClickLabelAccessible::actionNames() const
{
    return {pressAction()};
}

void ClickLabelAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction())
        Q_EMIT Label()->clicked();
}

void InstallClickLabelAccessibility()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(Factory);
        installed = true;
    }
}
