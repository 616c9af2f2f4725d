#include "widgets/xp_button.h"

#include "widgets/caption_text.h"
#include "widgets/dialog_key_router.h"
#include "widgets/system_colors.h"
#include "widgets/ui_fonts.h"
#include "widgets/xp_button_accessible.h"
#include "widgets/xp_button_look.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

XpButton::XpButton(QWidget* parent)
    : QWidget(parent), caption_(QStringLiteral("XP Button")), font_(ui::DialogFont(11)),
      fontColor_(ui::ResolveSystemColor(ui::SystemColor::WindowText)), owner_(parent)
{
    resize(75, 25);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    DialogKeyRouter::install();
    InstallXpButtonAccessibility();
}

void XpButton::setCaption(const QString& caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    QAccessibleEvent renamed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    repaint();
}

void XpButton::setCaptionFont(const QFont& font)
{
    font_ = font;
    repaint();
}

void XpButton::setCaptionColor(const QColor& color)
{
    fontColor_ = color;
    repaint();
}

void XpButton::click()
{
    const QPointer<XpButton> self(this);
    Q_EMIT clicked();
    // A click handler may have destroyed the button or its window.
    if (!self || modalResult_ == 0)
        return;
    auto* dialog = qobject_cast<QDialog*>(owner_.data());
    if (!dialog)
        return;
    if (dialog->isModal() && dialog->isVisible())
        dialog->done(modalResult_);
    else
        dialog->setResult(modalResult_);
}

QImage XpButton::renderedImage(int scale) const
{
    XpButtonLook look;
    look.width = width();
    look.height = height();
    look.enabled = isEnabled();
    look.hovered = hovered_;
    look.pressed = pressed_;
    look.focused = hasFocus_;
    look.caption = caption_;
    look.font = font_;
    look.fontColor = fontColor_;
    look.background = palette().color(QPalette::Window);
    return images_.image(look, scale);
}

void XpButton::offerDialogKey(int key)
{
    if (!isEnabled())
        return;
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if ((cancel_ && key == Qt::Key_Escape) || (default_ && enter))
        click();
}

void XpButton::offerMnemonic(const QString& character)
{
    if (isEnabled() && caption::MatchesAccelerator(caption_, character))
        click();
}

void XpButton::paintEvent(QPaintEvent*)
{
    // Drawn off-screen, so the shapes keep their exact pixels whatever the screen's scale: on a
    // screen of whole-number ratio each designed pixel is a solid block and the caption is sharp;
    // at other ratios the designed image is stretched.
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    const int scale = qRound(ratio);
    if (scale > 1 && qFuzzyCompare(ratio, qreal(scale)))
        painter.drawImage(QPoint(0, 0), renderedImage(scale));
    else
        painter.drawImage(QRect(0, 0, width(), height()), renderedImage());
}

void XpButton::setHovered(bool hovered)
{
    if (hovered == hovered_)
        return;
    hovered_ = hovered;
    repaint();
}

void XpButton::enterEvent(QEnterEvent*)
{
    setHovered(true);
}

void XpButton::leaveEvent(QEvent*)
{
    setHovered(false);
}

// While a button is held the toolkit reports no crossing, so the pointer's moves say whether
// it is still over the button.
void XpButton::mouseMoveEvent(QMouseEvent* event)
{
    setHovered(rect().contains(event->position().toPoint()));
}
