#pragma once

#include <QAccessibleWidget>

class TxpButton;

// What accessibility tools see of a TxpButton: a push button named by its caption as shown
// (without the "&" mark), pressed while a press is in progress, with a press action that
// clicks it.
class XpButtonAccessible : public QAccessibleWidget
{
public:
    explicit XpButtonAccessible(TxpButton* button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    TxpButton* Button() const;
};

// Lets accessibility tools find XpButtonAccessible; later calls do nothing.
void InstallXpButtonAccessibility();
