#pragma once

#include <QAccessibleWidget>

class ClickLabel;

// What accessibility tools see of a ClickLabel: its text as name, the role of a link or of a
// page tab (selectable, selected while current), and a press action that clicks it.
class ClickLabelAccessible : public QAccessibleWidget
{
public:
    explicit ClickLabelAccessible(ClickLabel* label);

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    ClickLabel* Label() const;
};

// Lets accessibility tools find ClickLabelAccessible; later calls do nothing.
void InstallClickLabelAccessibility();
