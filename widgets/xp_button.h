#pragma once

#include <QFont>
#include <QPushButton>

// The push button used for every button of both windows. For now a plain push button with the
// caption and font interface the windows use.
class TxpButton : public QPushButton {
    Q_OBJECT

public:
    explicit TxpButton(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption);

    // The caption's own font, independent of the font the widget inherits.
    QFont Font() const { return font(); }
    void SetFont(const QFont& font) { setFont(font); }
};
