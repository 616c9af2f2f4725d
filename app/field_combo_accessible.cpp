#include "app/field_combo_accessible.h"

#include <QComboBox>

namespace
{

QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    if (className != QLatin1String("QComboBox") || !object || !object->isWidgetType())
        return nullptr;
    auto* combo = static_cast<QComboBox*>(object);
    // A combo box that only offers its list keeps the toolkit's own interface.
    return combo->isEditable() ? new FieldComboAccessible(combo) : nullptr;
}

} // namespace

FieldComboAccessible::FieldComboAccessible(QComboBox* combo)
    : QAccessibleWidget(combo, QAccessible::ComboBox)
{
}

QComboBox* FieldComboAccessible::combo() const
{
    return static_cast<QComboBox*>(widget());
}

QString FieldComboAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return combo()->currentText();
    return QAccessibleWidget::text(t);
}

QStringList FieldComboAccessible::actionNames() const
{
    return {showMenuAction()};
}

void FieldComboAccessible::doAction(const QString& actionName)
{
    if (actionName == showMenuAction())
        combo()->showPopup();
}

void InstallFieldComboAccessibility()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(Factory);
        installed = true;
    }
}
