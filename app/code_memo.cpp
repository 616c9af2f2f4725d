#include "app/code_memo.h"

#include <QEvent>

CodeMemo::CodeMemo(QWidget* parent) : QPlainTextEdit(parent) {}

void CodeMemo::SetHeader(QWidget* header)
{
    header_ = header;
    header_->setParent(this);
    header_->installEventFilter(this);
    PlaceHeader();
}

void CodeMemo::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    PlaceHeader();
}

bool CodeMemo::eventFilter(QObject* watched, QEvent* event)
{
    // Show and hide events reach the header only while the window is on screen; the explicit
    // changes that matter come as these.
    if (watched == header_ &&
        (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent))
        PlaceHeader();
    return QPlainTextEdit::eventFilter(watched, event);
}

void CodeMemo::PlaceHeader()
{
    if (!header_)
        return;
    const int height = header_->isHidden() ? 0 : header_->sizeHint().height();
    setViewportMargins(0, height, 0, 0);
    // The viewport now starts below the line; the line takes its place above it.
    const QRect text = viewport()->geometry();
    header_->setGeometry(text.left(), text.top() - height, text.width(), height);
}
