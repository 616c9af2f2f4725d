#pragma once

#include <QWidget>
#include <string>
#include <string_view>
#include <vector>

#include "generators/code_buffer.h"
#include "generators/edition.h"

class CodeTextEdit;
class QFileDialog;
class QFrame;
class QPlainTextEdit;
class PolicyCopy;
class SnippetStatus;
class XpButton;

// The code window: shows the code buffer, the lines of codeText, and lets the user select, copy
// and save them. Created hidden; closing it only hides it and keeps its lines. It starts at its
// designed size, no smaller, and its text area grows with it.
class CodeWindow : public QWidget
{
    Q_OBJECT

public:
    explicit CodeWindow(QWidget* parent = nullptr);
    ~CodeWindow() override;

    // Replaces the buffer with `code`'s lines, each followed by a line break. The status note
    // is cleared; the caller that knows the snippet's gadget sets it.
    void setCode(const gen::CodeBuffer& code);
    // setCode for the snippet of `gadget` in `edition`, with the status note for it.
    void setSnippet(const gen::CodeBuffer& code, const gen::GadgetEntry& gadget,
                    gen::Edition edition);
    void clearCode();
    // Makes the window's native side now, so that showing it later only has to map it.
    void createNativeWindow() { create(); }
    // The lines codeText shows now, user edits included, as UTF-8 bytes: its text split at every
    // line break (Enter or Shift+Enter), where the empty row behind a final line break is no
    // line. An empty codeText holds no line; after setCode(code) lines() gives code's lines as
    // long as none of them holds a line break itself.
    std::vector<std::string> lines() const;
    // Every line followed by CR LF, the last one included.
    std::string crlfText() const;

    // Select All: focus codeText and select its whole text.
    void selectAllClicked();
    // Copy: the selection goes to the clipboard with CR LF for each line break; nothing happens
    // without a selection.
    void copyClicked();
    // Save to File: asks for a file name with saveDialog, opened in SaveDialogFolder(), and
    // writes the text form there, replacing an existing file without asking; the folder is
    // remembered once written. Nothing happens when the user cancels; a file that cannot be
    // created throws std::runtime_error.
    void saveToFileClicked();
    // Close: hides the window.
    void closeClicked();

    QFrame* textBevel = nullptr;
    QPlainTextEdit* codeText = nullptr;
    QFrame* buttonBevel = nullptr;
    XpButton* selectAllButton = nullptr;
    XpButton* copyButton = nullptr;
    XpButton* saveButton = nullptr;
    XpButton* closeButton = nullptr;
    // What the held snippet does in today's browsers.
    SnippetStatus* snippetStatus = nullptr;
    // What a Content Security Policy must admit for it: the status line's tooltip and menu.
    PolicyCopy* policyCopy = nullptr;
    // Made on first use: building a file dialog costs a quarter of the program's start-up.
    QFileDialog* saveDialog = nullptr;
    QFileDialog* ensureSaveDialog();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeControls();
    void buildCodeText();
    void showCodeText(const gen::CodeBuffer& code);
    XpButton* makeButton(std::string_view name, const char* caption, int x);
    void buildSaveDialog();
    void connectHandlers();

    CodeTextEdit* codeEdit_ = nullptr; // codeText, with the status line above its text
};
