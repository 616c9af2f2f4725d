#pragma once

#include <QAccessibleWidget>

class LinkLabel;

// What accessibility tools see of a LinkLabel: its text as name, the role of a link or of a
// page tab (selectable, selected while current), and a press action that clicks it.
class LinkLabelAccessible : public QAccessibleWidget
{
public:
    explicit LinkLabelAccessible(LinkLabel* label);

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    LinkLabel* label() const;
};

// Lets accessibility tools find LinkLabelAccessible; later calls do nothing.
void InstallClickLabelAccessibility();
