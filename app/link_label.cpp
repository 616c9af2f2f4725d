#include "app/link_label.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include "app/link_label_accessible.h"

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent)
{
    InstallClickLabelAccessibility();
}

void LinkLabel::setCurrent(bool current)
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

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    // Letting go outside the label takes the click back, as with a button.
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        Q_EMIT clicked();
}

void LinkLabel::setKeyboardReachable()
{
    setFocusPolicy(Qt::TabFocus);
}

void LinkLabel::setPlainText(const QString& text)
{
    withoutFocusPolicy([this, &text] {
        setTextFormat(Qt::PlainText);
        setText(text);
    });
}

bool LinkLabel::event(QEvent* event)
{
    if (event->type() != QEvent::Polish)
        return QLabel::event(event);
    bool handled = false;
    withoutFocusPolicy([this, event, &handled] { handled = QLabel::event(event); });
    return handled;
}

void LinkLabel::withoutFocusPolicy(const std::function<void()>& change)
{
    // A label that has the focus keeps its policy, and its document, which it then needs.
    const Qt::FocusPolicy policy = focusPolicy();
    if (!hasFocus())
        setFocusPolicy(Qt::NoFocus);
    change();
    setFocusPolicy(policy);
}

void LinkLabel::keyPressEvent(QKeyEvent* event)
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

void LinkLabel::paintEvent(QPaintEvent* event)
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
