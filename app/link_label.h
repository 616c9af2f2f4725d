#pragma once

#include <QLabel>
#include <functional>

// A label that reacts to a click like a link: a left-button press and release both inside it.
// Used for the menu lines and the link line of the main window. To accessibility tools it is
// a link, or, once it is marked as one of a set of choices (setCurrent), a page tab that is
// selected while it is the current one.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(QWidget* parent = nullptr);

    bool isChoice() const { return choice_; }
    bool isCurrent() const { return current_; }
    // Makes the label a choice and tells accessibility tools when it becomes or stops being
    // the current one.
    void setCurrent(bool current);
    // Lets Tab reach the label; Enter or Space then clicks it, and a dotted rectangle round its
    // text shows that it has the focus.
    void setKeyboardReachable();
    // Sets the text as plain text, drawn by the label itself until it first has the focus (see
    // event()).
    void setPlainText(const QString& text);

Q_SIGNALS:
    void clicked();

protected:
    // Qt gives a label that can take the focus a text document of its own as it is polished or
    // its text is set, which costs start-up as much as a face of its own. This label draws the
    // same pixels without one; the first focus still builds it, as keyboard use needs it.
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Runs `change` while the label takes no focus, so that Qt builds no text document for it.
    void withoutFocusPolicy(const std::function<void()>& change);

    bool pressed_ = false;
    bool choice_ = false;
    bool current_ = false;
};
