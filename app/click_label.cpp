#include "app/click_label.h"

#include <QAccessible>
#include <QMouseEvent>

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
