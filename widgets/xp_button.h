#pragma once

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "widgets/xp_button_images.h"

class QDialog;

// The push button used for every button of both windows, drawn in the XP look. It clicks when
// the left button is released over it (it does not hold the mouse: a press released elsewhere
// stays pending), when Space or Enter is released while it has the focus, on a double-click,
// on its "&" accelerator, and as the window's default (Enter) or cancel (Escape) button.
class XpButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(QFont captionFont READ captionFont WRITE setCaptionFont)
    Q_PROPERTY(bool cancel READ isCancel WRITE setCancel)
    Q_PROPERTY(bool default READ isDefault WRITE setDefault)
    Q_PROPERTY(int modalResult READ modalResult WRITE setModalResult)

public:
    // A 75 × 25 button captioned "XP Button", reached with Tab. The parent is also its owner.
    explicit XpButton(QWidget* parent = nullptr);

    QString caption() const { return caption_; }
    // Repaints at once unless the text is unchanged.
    void setCaption(const QString& caption);

    // The caption's own font, independent of the font the widget inherits. Setting it always
    // repaints at once.
    const QFont& captionFont() const { return font_; }
    void setCaptionFont(const QFont& font);
    QColor captionColor() const { return fontColor_; }
    void setCaptionColor(const QColor& color);

    bool isCancel() const { return cancel_; }
    void setCancel(bool cancel) { cancel_ = cancel; }
    bool isDefault() const { return default_; }
    void setDefault(bool isDefault) { default_ = isDefault; }
    // Handed to the owning dialog on a click when not 0.
    int modalResult() const { return modalResult_; }
    void setModalResult(int result) { modalResult_ = result; }

    // The object responsible for the button; only a dialog owner takes the modal result.
    QObject* owner() const { return owner_; }
    void setOwner(QObject* owner) { owner_ = owner; }

    bool isHovered() const { return hovered_; }
    bool isPressed() const { return pressed_; }
    bool drawsFocus() const { return hasFocus_; }

    // Emits clicked(), then hands modalResult() to the owner when that is a dialog.
    void click();

    // The look for the current state, as paintEvent puts it on screen: at the designed pixel
    // size, or for a screen of whole-number pixel ratio `scale` (see PaintXpButton). Pictures
    // of states drawn before are kept, not drawn again.
    QImage renderedImage(int scale = 1) const;

    // Offers from the window's key handling: a dialog key (Qt::Key_Escape, Key_Return,
    // Key_Enter) and a typed mnemonic character. Neither claims the key.
    void offerDialogKey(int key);
    void offerMnemonic(const QString& character);

Q_SIGNALS:
    void clicked();
    // The button became, or stopped being, the focused control of its window.
    void entered();
    void exited();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void setHovered(bool hovered);
    bool isRepeatedPress(const QKeyEvent& press) const;

    QString caption_;
    QFont font_;
    QColor fontColor_;
    bool hovered_ = false;
    bool pressed_ = false;
    bool hasFocus_ = false;
    bool activeControl_ = false; // the focused control of its window, even while inactive
    bool pressedBeforeLastPress_ = false;
    int lastReleasedKey_ = 0;
    quint64 lastReleaseTime_ = 0;
    bool cancel_ = false;
    bool default_ = false;
    int modalResult_ = 0;
    QPointer<QObject> owner_;
    mutable XpButtonImages images_;
};
