#include "app/click_label.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include "app/click_label_accessible.h"

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent)
{
    InstallClickLabelAccessibility();
}

void ClickLabel::SetCurrent(bool current)
{
    choice_ = true;
    if (current == current_)
        return;
    current_ = current;
    QAccessible::State changed;
    changed.selected = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
    QLabel::mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    // Letting go outside the label takes the click back, as with a button.
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        Q_EMIT clicked();
}

void ClickLabel::SetKeyboardReachable()
{
    setFocusPolicy(Qt::TabFocus);
}

void ClickLabel::SetPlainText(const QString& text)
{
    WithoutFocusPolicy([this, &text] {
        setTextFormat(Qt::PlainText);
        setText(text);
    });
}

bool ClickLabel::event(QEvent* event)
{
    if (event->type() != QEvent::Polish)
        return QLabel::event(event);
    bool handled = false;
    WithoutFocusPolicy([this, event, &handled] { handled = QLabel::event(event); });
    return handled;
}

void ClickLabel::WithoutFocusPolicy(const std::function<void()>& change)
{
    // A label that has the focus keeps its policy, and its document, which it then needs.
    const Qt::FocusPolicy policy = focusPolicy();
    if (!hasFocus())
        setFocusPolicy(Qt::NoFocus);
    change();
    setFocusPolicy(policy);
}

void ClickLabel::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space) {
        QLabel::keyPressEvent(event);
        return;
    }
    // A held key opens one browser, not one per repeat.
    if (!event->isAutoRepeat())
        Q_EMIT clicked();
}

void ClickLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // Round the text only: the label keeps its place, its text and its colours.
    const QRect text = QStyle::alignedRect(layoutDirection(), alignment(),
                                           fontMetrics().size(0, this->text()), contentsRect());
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    painter.drawRect((text.adjusted(-2, 0, 1, 0) & rect()).adjusted(0, 0, -1, -1));
}
