#pragma once

#include <QAccessibleWidget>

class QComboBox;

// What accessibility tools see of an editable combo box: the name it was given (its caption),
// not its current text, which is its value. The toolkit's own interface answers the name with
// the value on this platform, so a screen reader would call the AutoClose box "true".
class FieldComboAccessible : public QAccessibleWidget
{
public:
    explicit FieldComboAccessible(QComboBox* combo);

    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    QComboBox* combo() const;
};

// Lets accessibility tools find FieldComboAccessible for editable combo boxes; later calls do
// nothing.
void InstallFieldComboAccessibility();
