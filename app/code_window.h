#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "generators/code_buffer.h"
#include "generators/edition.h"

class CodeMemo;
class QFileDialog;
class QFrame;
class QPlainTextEdit;
class SnippetStatus;
class TxpButton;

// The code window: shows the code buffer, the lines of Memo1, and lets the user select, copy
// and save them. Created hidden; closing it only hides it and keeps its lines. It starts at its
// designed size, no smaller, and its text area grows with it.
class TForm4 : public QWidget
{
    Q_OBJECT

public:
    explicit TForm4(QWidget* parent = nullptr);
    ~TForm4() override;

    // Replaces the buffer with `code`'s lines, each followed by a line break. The status note
    // is cleared; the caller that knows the snippet's gadget sets it.
    void SetCode(const gen::CodeBuffer& code);
    // SetCode for the snippet of `gadget` in `edition`, with the status note for it.
    void SetSnippet(const gen::CodeBuffer& code, const gen::GadgetEntry& gadget,
                    gen::Edition edition);
    void ClearCode();
    // Makes the window's native side now, so that showing it later only has to map it.
    void CreateNativeWindow() { create(); }
    // The lines Memo1 shows now, user edits included, as UTF-8 bytes: its text split at every
    // line break (Enter or Shift+Enter), where the empty row behind a final line break is no
    // line. An empty Memo1 holds no line; after SetCode(code) Lines() gives code's lines as
    // long as none of them holds a line break itself.
    std::vector<std::string> Lines() const;
    // Every line followed by CR LF, the last one included.
    std::string TextForm() const;

    // Select All: focus Memo1 and select its whole text.
    void xpButton1Click();
    // Copy: the selection goes to the clipboard with CR LF for each line break; nothing happens
    // without a selection.
    void xpButton2Click();
    // Save to File: asks for a file name with SaveDialog1, opened in SaveDialogFolder(), and
    // writes the text form there, replacing an existing file without asking; the folder is
    // remembered once written. Nothing happens when the user cancels; a file that cannot be
    // created throws std::runtime_error.
    void xpButton3Click();
    // Close: hides the window.
    void xpButton4Click();

    QFrame* Bevel1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QFrame* Bevel2 = nullptr;
    TxpButton* xpButton1 = nullptr;
    TxpButton* xpButton2 = nullptr;
    TxpButton* xpButton3 = nullptr;
    TxpButton* xpButton4 = nullptr;
    // What the held snippet does in today's browsers.
    SnippetStatus* lblSnippetStatus = nullptr;
    // Made on first use: building a file dialog costs a quarter of the program's start-up.
    QFileDialog* SaveDialog1 = nullptr;
    QFileDialog* EnsureSaveDialog();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceControls();
    void BuildMemo();
    void SetText(const gen::CodeBuffer& code);
    TxpButton* MakeButton(const char* name, const char* caption, int x);
    void BuildSaveDialog();
    void ConnectHandlers();

    CodeMemo* memo_ = nullptr; // Memo1, with the status line above its text
};
