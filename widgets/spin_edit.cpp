#include "widgets/spin_edit.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QToolButton>
#include <algorithm>
#include <limits>

#include "generators/spin_value.h"

namespace
{

constexpr int kButtonWidth = 15;

enum class KeyRole {
    Up,
    Down,
    Enter,
    Typing,   // types its text into the box
    Mnemonic, // Alt with a character: a shortcut of the window, never text in the box
    Other,    // editing, navigation and Ctrl commands
};

KeyRole RoleOf(const QKeyEvent& event)
{
    const int key = event.key();
    if (key == Qt::Key_Up || key == Qt::Key_Down)
        return key == Qt::Key_Up ? KeyRole::Up : KeyRole::Down;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return KeyRole::Enter;
    // Delete and Backspace come with DEL or BS as text on some keyboards; they edit, not type.
    if (event.text().isEmpty() || key == Qt::Key_Delete || key == Qt::Key_Backspace)
        return KeyRole::Other;
    const Qt::KeyboardModifiers mods = event.modifiers();
    const bool ctrl = mods & (Qt::ControlModifier | Qt::MetaModifier);
    const bool alt = mods & Qt::AltModifier;
    // Ctrl with Alt is AltGr on some systems, which types characters like any other key.
    if (alt && !ctrl)
        return KeyRole::Mnemonic;
    return ctrl && !alt ? KeyRole::Other : KeyRole::Typing;
}

// Control characters pass, so Backspace, Escape and Ctrl-letter commands keep working.
bool IsAccepted(QChar c)
{
    if (c.unicode() < 0x20)
        return true;
    if ((c >= u'0' && c <= u'9') || c == u'+' || c == u'-')
        return true;
    const QString separator = QLocale().decimalPoint();
    return separator.size() == 1 && c == separator.at(0);
}

} // namespace

SpinEdit::SpinEdit(QWidget* parent)
    : QLineEdit(parent), up_(makeArrowButton(Qt::UpArrow, 1)),
      down_(makeArrowButton(Qt::DownArrow, -1))
{
    // The text never runs under the arrow buttons.
    setTextMargins(0, 0, kButtonWidth, 0);
    placeButtons();
}

std::int32_t SpinEdit::value() const
{
    return gen::SpinValue(text().toStdString());
}

void SpinEdit::setValue(std::int32_t value)
{
    setText(QString::number(value));
}

void SpinEdit::stepBy(int steps)
{
    // Stepping past the end of the range keeps the end: a width or height that jumped from
    // the largest number to the most negative one would be worse than one that stays put.
    const std::int64_t next = std::clamp<std::int64_t>(std::int64_t{value()} + steps,
                                                       std::numeric_limits<std::int32_t>::min(),
                                                       std::numeric_limits<std::int32_t>::max());
    setValue(static_cast<std::int32_t>(next));
}

void SpinEdit::keyPressEvent(QKeyEvent* event)
{
    const KeyRole role = RoleOf(*event);
    if (role == KeyRole::Up || role == KeyRole::Down) {
        stepBy(role == KeyRole::Up ? 1 : -1);
        event->accept();
    } else if (role == KeyRole::Enter) {
        refuse(event);
    } else if (role == KeyRole::Mnemonic) {
        event->ignore(); // left to the window's shortcuts
    } else if (role == KeyRole::Typing &&
               !std::all_of(event->text().cbegin(), event->text().cend(), IsAccepted)) {
        refuse(event);
    } else {
        QLineEdit::keyPressEvent(event);
    }
}

void SpinEdit::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = event->commitString();
    if (std::all_of(commit.cbegin(), commit.cend(), IsAccepted)) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // The composition ends without its text, as a refused key would.
    QInputMethodEvent dropped;
    QLineEdit::inputMethodEvent(&dropped);
    event->accept();
    beep();
}

void SpinEdit::refuse(QKeyEvent* event)
{
    // Accepted, so the refused key goes no further up the window either.
    event->accept();
    beep();
}

void SpinEdit::beep()
{
    QApplication::beep();
    Q_EMIT keyRefused();
}

void SpinEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    placeButtons();
}

QToolButton* SpinEdit::makeArrowButton(Qt::ArrowType arrow, int steps)
{
    auto* button = new QToolButton(this);
    button->setArrowType(arrow);
    // An arrow has no text for screen readers to say.
    button->setAccessibleName(arrow == Qt::UpArrow ? QStringLiteral("Increase")
                                                   : QStringLiteral("Decrease"));
    button->setAutoRepeat(true); // holding the button down keeps stepping
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::ArrowCursor);
    connect(button, &QToolButton::clicked, this, [this, steps] {
        setFocus(Qt::MouseFocusReason);
        stepBy(steps);
    });
    return button;
}

// The up button takes the upper half of the right end, the down button the rest, inside the
// box's frame.
void SpinEdit::placeButtons()
{
    const int frame = 1;
    const int inner = height() - 2 * frame;
    const int upHeight = inner / 2;
    const int x = width() - frame - kButtonWidth;
    up_->setGeometry(x, frame, kButtonWidth, upHeight);
    down_->setGeometry(x, frame + upHeight, kButtonWidth, inner - upHeight);
}
