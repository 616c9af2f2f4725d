#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "widgets/xp_button_look.h"

class QDialog;

// The push button used for every button of both windows, drawn in the XP look. It clicks when
// the left button is released over it (it does not hold the mouse: a press released elsewhere
// stays pending), when Space or Enter is released while it has the focus, on a double-click,
// on its "&" accelerator, and as the window's default (Enter) or cancel (Escape) button.
class TxpButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QFont Font READ Font WRITE SetFont)
    Q_PROPERTY(bool Cancel READ Cancel WRITE SetCancel)
    Q_PROPERTY(bool Default READ Default WRITE SetDefault)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)

public:
    // A 75 × 25 button captioned "XP Button", reached with Tab. The parent is also its owner.
    explicit TxpButton(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    // Repaints at once unless the text is unchanged.
    void SetCaption(const QString& caption);

    // The caption's own font, independent of the font the widget inherits. Setting it always
    // repaints at once.
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& font);
    QColor FontColor() const { return fontColor_; }
    void SetFontColor(const QColor& color);

    bool Cancel() const { return cancel_; }
    void SetCancel(bool cancel) { cancel_ = cancel; }
    bool Default() const { return default_; }
    void SetDefault(bool isDefault) { default_ = isDefault; }
    // Handed to the owning dialog on a click when not 0.
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }

    // The object responsible for the button; only a dialog owner takes the modal result.
    QObject* Owner() const { return owner_; }
    void SetOwner(QObject* owner) { owner_ = owner; }

    bool Hovered() const { return hovered_; }
    bool Pressed() const { return pressed_; }
    bool HasFocus() const { return hasFocus_; }

    // Emits clicked(), then hands ModalResult to the owner when that is a dialog.
    void Click();

    // The look for the current state, as paintEvent puts it on screen: at the designed pixel
    // size, or for a screen of whole-number pixel ratio `scale` (see PaintXpButton).
    QImage Render(int scale = 1) const;

    // Offers from the window's key handling: a dialog key (Qt::Key_Escape, Key_Return,
    // Key_Enter) and a typed mnemonic character. Neither claims the key.
    void OfferDialogKey(int key);
    void OfferMnemonic(const QString& character);

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
    void SetHovered(bool hovered);
    bool IsRepeatedPress(const QKeyEvent& press) const;
    XpButtonLook CurrentLook() const;
    // The look drawn for the last paint, drawn again only when something it depends on changed:
    // a page shown again paints its buttons as they were, and drawing one pixel by pixel costs
    // more than the rest of the button's paint.
    const QImage& Painted(int scale);

    QString caption_;
    QFont font_;
    QColor fontColor_;
    bool hovered_ = false;
    bool pressed_ = false;
    bool hasFocus_ = false;
    bool activeControl_ = false; // the focused control of its window, even while inactive
    bool pressedBeforeLastPress_ = false;
    int lastReleasedKey_ = 0;
    QImage painted_;
    XpButtonLook paintedLook_;
    int paintedScale_ = 0;
    quint64 lastReleaseTime_ = 0;
    bool cancel_ = false;
    bool default_ = false;
    int modalResult_ = 0;
    QPointer<QObject> owner_;
};
