#include "app/link_label_accessible.h"

#include "app/link_label.h"

namespace
{

QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("LinkLabel") && object && object->isWidgetType())
        return new LinkLabelAccessible(static_cast<LinkLabel*>(object));
    return nullptr;
}

} // namespace

LinkLabelAccessible::LinkLabelAccessible(LinkLabel* label)
    : QAccessibleWidget(label, QAccessible::Link)
{
}

QAccessible::Role LinkLabelAccessible::role() const
{
    return label()->isChoice() ? QAccessible::PageTab : QAccessible::Link;
}

LinkLabel* LinkLabelAccessible::label() const
{
    return static_cast<LinkLabel*>(widget());
}

QString LinkLabelAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && label()->accessibleName().isEmpty())
        return label()->text();
    return QAccessibleWidget::text(t);
}

QAccessible::State LinkLabelAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    if (label()->isChoice()) {
        state.selectable = true;
        state.selected = label()->isCurrent();
    }
    return state;
}

QStringList LinkLabelAccessible::actionNames() const
{
    return {pressAction()};
}

void LinkLabelAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction())
        Q_EMIT label()->clicked();
}

void InstallClickLabelAccessibility()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(Factory);
        installed = true;
    }
}
