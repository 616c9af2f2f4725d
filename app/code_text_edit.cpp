#include "app/code_text_edit.h"

#include <QEvent>

CodeTextEdit::CodeTextEdit(QWidget* parent) : QPlainTextEdit(parent) {}

void CodeTextEdit::setHeader(QWidget* header)
{
    header_ = header;
    header_->setParent(this);
    header_->installEventFilter(this);
    placeHeader();
}

void CodeTextEdit::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    placeHeader();
}

bool CodeTextEdit::eventFilter(QObject* watched, QEvent* event)
{
    // Show and hide events reach the header only while the window is on screen; the explicit
    // changes that matter come as these.
    if (watched == header_ &&
        (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent))
        placeHeader();
    return QPlainTextEdit::eventFilter(watched, event);
}

void CodeTextEdit::placeHeader()
{
    if (!header_)
        return;
    const int height = header_->isHidden() ? 0 : header_->sizeHint().height();
    setViewportMargins(0, height, 0, 0);
    // The viewport now starts below the line; the line takes its place above it.
    const QRect text = viewport()->geometry();
    header_->setGeometry(text.left(), text.top() - height, text.width(), height);
}
