#pragma once

#include <QPushButton>

// The push button used for every button of both windows. For now a plain push button with the
// caption interface the windows use.
class TxpButton : public QPushButton {
    Q_OBJECT

public:
    explicit TxpButton(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption);
};
