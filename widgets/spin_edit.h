#pragma once

#include <QLineEdit>
#include <cstdint>

class QToolButton;

// A one-line box for a whole number with a pair of up and down arrow buttons at its right end.
//
// The box holds text, not a number: whatever the user typed or pasted stays as it is, and the
// value is that text read by gen::SpinValue, so a text that is not a whole number stands for 0.
// The box has no limits and steps by 1.
//
// Typing is filtered as it happens. ASCII digits, "+", "-" and the locale's decimal separator
// are taken; any other typed character, and Enter, is refused with a beep (keyRefused()).
// Control characters, editing and navigation keys, and keys held with Ctrl pass, so paste and
// cut work and put their text in unfiltered. Text an input method composes (dead keys, compose
// sequences) counts as typed and is filtered alike. The up and down arrow keys and the arrow
// buttons step the value.
class SpinEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit SpinEdit(QWidget* parent = nullptr);

    // The text read as a whole number; 0 for any text that is not one.
    std::int32_t value() const;
    // Shows `value` in plain decimal.
    void setValue(std::int32_t value);

    // Shows the value plus `steps` in plain decimal. The value stops at the ends of the 32-bit
    // range instead of wrapping round to the other end.
    void stepBy(int steps);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

Q_SIGNALS:
    // A key was refused and the speaker beeped.
    void keyRefused();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* makeArrowButton(Qt::ArrowType arrow, int steps);
    void placeButtons();
    void refuse(QKeyEvent* event);
    void beep();

    QToolButton* up_;
    QToolButton* down_;
};
