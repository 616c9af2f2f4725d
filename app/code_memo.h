#pragma once

#include <QPlainTextEdit>

// The code window's text area. It can give a header widget a line of its own above the text,
// inside its frame and beside the vertical scroll bar; the line takes room only while the
// header is not hidden, so an empty header costs the text nothing.
class CodeMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit CodeMemo(QWidget* parent = nullptr);

    // Makes `header` a child of the memo and places it in the header line, whose height is the
    // header's size hint; showing or hiding the header opens or closes the line.
    void SetHeader(QWidget* header);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PlaceHeader();

    QWidget* header_ = nullptr;
};
