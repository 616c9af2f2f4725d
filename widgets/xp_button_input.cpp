#include "widgets/xp_button.h"

#include "widgets/held_keys.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>

// The window system hands a double-click over in place of the second press, but a press can
// also arrive just before its double-click (events sent straight to the widget). Only the first
// press and the double-click are the button's business, so such a second press is undone when
// its double-click arrives.
void XpButton::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    pressedBeforeLastPress_ = pressed_;
    if (pressed_)
        return;
    pressed_ = true;
    if (!hasFocus() && isEnabled())
        setFocus(Qt::MouseFocusReason);
    repaint();
}

// The mouse is not held by the button: a release away from it is somebody else's, and the
// press stays pending.
void XpButton::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
        return;
    if (!pressed_)
        return;
    pressed_ = false;
    repaint();
    click();
}

void XpButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    if (pressed_ != pressedBeforeLastPress_) {
        pressed_ = pressedBeforeLastPress_;
        repaint();
    }
    click();
}

// Swallowed, so no context menu of the window opens over the button.
void XpButton::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
}

void XpButton::focusInEvent(QFocusEvent*)
{
    if (!hasFocus_) {
        hasFocus_ = true;
        update();
    }
    // Focus coming back from another window or a closed popup returns to the control that
    // was active all along; the first activation of a window does make it active.
    if (!activeControl_) {
        activeControl_ = true;
        Q_EMIT entered();
    }
}

void XpButton::focusOutEvent(QFocusEvent* event)
{
    if (hasFocus_) {
        hasFocus_ = false;
        update();
    }
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    activeControl_ = false;
    Q_EMIT exited();
}

// A button that goes out of sight, with its page, drops a press still pending: the release of
// a key held meanwhile must not click it once its page is shown again.
void XpButton::hideEvent(QHideEvent* event)
{
    if (pressed_) {
        pressed_ = false;
        update();
    }
    QWidget::hideEvent(event);
}

// A held key repeats as a release and a press carrying the same time; the toolkit does not
// always mark that press as repeated.
bool XpButton::isRepeatedPress(const QKeyEvent& press) const
{
    return press.isAutoRepeat() || (press.timestamp() != 0 && press.key() == lastReleasedKey_ &&
                                    press.timestamp() == lastReleaseTime_);
}

void XpButton::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (!pressed_ && !isRepeatedPress(*event) &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        pressed_ = true;
        update();
    }
    QWidget::keyPressEvent(event);
}

// Any key's release ends a keyboard press, not only the key that began it. A release of a key
// that is still held belongs to its auto-repeat and is no real release.
void XpButton::keyReleaseEvent(QKeyEvent* event)
{
    const QPointer<XpButton> self(this);
    lastReleasedKey_ = event->key();
    lastReleaseTime_ = event->timestamp();
    if (pressed_ && !KeyStillHeld(*event)) {
        pressed_ = false;
        update();
        click();
    }
    if (self)
        QWidget::keyReleaseEvent(event);
}
