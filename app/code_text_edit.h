#pragma once

#include <QPlainTextEdit>

// The code window's text area. It can give a header widget a line of its own above the text,
// inside its frame and beside the vertical scroll bar; the line takes room only while the
// header is not hidden, so an empty header costs the text nothing.
class CodeTextEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit CodeTextEdit(QWidget* parent = nullptr);

    // Makes `header` a child of the memo and places it in the header line, whose height is the
    // header's size hint; showing or hiding the header opens or closes the line.
    void setHeader(QWidget* header);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeHeader();

    QWidget* header_ = nullptr;
};
