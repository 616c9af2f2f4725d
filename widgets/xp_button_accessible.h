#pragma once

#include <QAccessibleWidget>

class XpButton;

// What accessibility tools see of an XpButton: a push button named by its caption as shown
// (without the "&" mark), pressed while a press is in progress, with a press action that
// clicks it.
class XpButtonAccessible : public QAccessibleWidget
{
public:
    explicit XpButtonAccessible(XpButton* button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    XpButton* button() const;
};

// Lets accessibility tools find XpButtonAccessible; later calls do nothing.
void InstallXpButtonAccessibility();
