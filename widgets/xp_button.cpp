#include "widgets/xp_button.h"

TxpButton::TxpButton(QWidget* parent) : QPushButton(QStringLiteral("XP Button"), parent)
{
    resize(75, 25);
    setFocusPolicy(Qt::StrongFocus);
}

void TxpButton::SetCaption(const QString& caption)
{
    if (caption == text())
        return;
    setText(caption);
}
