#include "app/code_window.h"

#include <QClipboard>
#include <QFileDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>
#include <array>

#include "app/code_text_edit.h"
#include "app/code_window_keys.h"
#include "app/error_reporting.h"
#include "app/instance_slot.h"
#include "app/page_layout.h"
#include "app/policy_copy.h"
#include "app/qt_text.h"
#include "app/save_folder.h"
#include "app/snippet_status.h"
#include "platform/staged_file.h"
#include "widgets/system_colors.h"
#include "widgets/ui_fonts.h"
#include "widgets/xp_button.h"

namespace
{

// The client area that an outer size of 505 x 429 leaves inside a classic window frame.
constexpr int kClientWidth = 497;
constexpr int kClientHeight = 402;
constexpr int kButtonY = 368;
constexpr std::array<int, 4> kButtonX = {64, 160, 256, 352};

QFrame* MakeBevel(QWidget* parent, std::string_view name, const QRect& geometry)
{
    auto* bevel = new QFrame(parent);
    bevel->setObjectName(ToQString(name));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(geometry);
    return bevel;
}

} // namespace

CodeWindow::CodeWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(ToQString(pages::designed::kCodeWindow));
    setWindowTitle(QStringLiteral("Source Code"));
    setFont(ui::DialogFont(11));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ui::ResolveSystemColor(ui::SystemColor::ButtonFace));
    setPalette(palette);
    setAutoFillBackground(true);
    resize(kClientWidth, kClientHeight);
    // The controls follow the window when it grows; below its designed size they would not fit.
    setMinimumSize(kClientWidth, kClientHeight);
    move(QPoint(180, 170) + WindowOffset());

    // Bevels first, so they lie under what they frame.
    textBevel = MakeBevel(this, pages::designed::kTextBevel, QRect(0, 0, 497, 361));
    buttonBevel = MakeBevel(this, pages::designed::kButtonBevel, QRect(56, 366, 385, 35));
    buildCodeText();
    selectAllButton = makeButton(pages::designed::kCodeButtons[0], "Select All", kButtonX[0]);
    copyButton = makeButton(pages::designed::kCodeButtons[1], "Copy", kButtonX[1]);
    saveButton = makeButton(pages::designed::kCodeButtons[2], "Save to File", kButtonX[2]);
    closeButton = makeButton(pages::designed::kCodeButtons[3], "Close", kButtonX[3]);
    snippetStatus = new SnippetStatus();
    codeEdit_->setHeader(snippetStatus);
    policyCopy = new PolicyCopy(snippetStatus);
    connectHandlers();
    new CodeWindowKeys(*this);
}

CodeWindow::~CodeWindow() = default;

void CodeWindow::buildCodeText()
{
    codeEdit_ = new CodeTextEdit(this);
    codeText = codeEdit_;
    codeText->setObjectName(ToQString(pages::designed::kCodeText));
    codeText->setGeometry(8, 8, 481, 345);
    codeText->setLineWrapMode(QPlainTextEdit::NoWrap);
    codeText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    codeText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void CodeWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

// At the designed size every control has its designed place. A larger window gives the text area
// all the room it gains, and the button row keeps to the bottom, centred under it.
void CodeWindow::placeControls()
{
    const int dx = std::max(0, width() - kClientWidth);
    const int dy = std::max(0, height() - kClientHeight);
    textBevel->setGeometry(0, 0, 497 + dx, 361 + dy);
    codeText->setGeometry(8, 8, 481 + dx, 345 + dy);
    buttonBevel->setGeometry(56 + dx / 2, 366 + dy, 385, 35);
    const std::array<XpButton*, 4> buttons = {selectAllButton, copyButton, saveButton, closeButton};
    for (std::size_t i = 0; i < buttons.size(); ++i)
        buttons[i]->move(kButtonX[i] + dx / 2, kButtonY + dy);
}

XpButton* CodeWindow::makeButton(std::string_view name, const char* caption, int x)
{
    auto* button = new XpButton(this);
    button->setObjectName(ToQString(name));
    button->setCaption(QString::fromLatin1(caption));
    button->setGeometry(x, kButtonY, 81, 25);
    return button;
}

QFileDialog* CodeWindow::ensureSaveDialog()
{
    if (!saveDialog)
        buildSaveDialog();
    return saveDialog;
}

void CodeWindow::buildSaveDialog()
{
    saveDialog = new QFileDialog(this);
    saveDialog->setObjectName(ToQString(pages::designed::kSaveDialog));
    saveDialog->setAcceptMode(QFileDialog::AcceptSave);
    saveDialog->setFileMode(QFileDialog::AnyFile);
    // Saving replaces an existing file without asking.
    saveDialog->setOption(QFileDialog::DontConfirmOverwrite);
    saveDialog->setDefaultSuffix(QStringLiteral("html"));
    saveDialog->setNameFilters({QStringLiteral("Html (*.html)"), QStringLiteral("Text (*.txt)")});
}

void CodeWindow::connectHandlers()
{
    const auto reporting = [this](void (CodeWindow::*handler)()) {
        return ReportingErrors([this, handler] { (this->*handler)(); });
    };
    connect(selectAllButton, &XpButton::clicked, this, reporting(&CodeWindow::selectAllClicked));
    connect(copyButton, &XpButton::clicked, this, reporting(&CodeWindow::copyClicked));
    connect(saveButton, &XpButton::clicked, this, reporting(&CodeWindow::saveToFileClicked));
    connect(closeButton, &XpButton::clicked, this, reporting(&CodeWindow::closeClicked));
}

void CodeWindow::setCode(const gen::CodeBuffer& code)
{
    showCodeText(code);
    snippetStatus->clearStatus();
}

void CodeWindow::setSnippet(const gen::CodeBuffer& code, const gen::GadgetEntry& gadget,
                            gen::Edition edition)
{
    showCodeText(code);
    // Not cleared first: a note that stays as it was keeps the text area's size, and so its
    // laid out lines.
    snippetStatus->showFor(gadget, edition);
    policyCopy->showFor(code, edition);
}

void CodeWindow::showCodeText(const gen::CodeBuffer& code)
{
    // Every line ends in a line break, the last one too, just as in the text form: the empty
    // row behind the last break is no line (see lines()), so a buffer of one empty line stays
    // apart from an empty one, and Select All copies each line's CR LF.
    QString text;
    for (std::size_t i = 0; i < code.Count(); ++i) {
        text += ToQString(code.Line(i));
        text += QLatin1Char('\n');
    }
    codeText->setPlainText(text);
}

void CodeWindow::clearCode()
{
    codeText->clear();
    snippetStatus->clearStatus();
}

std::vector<std::string> CodeWindow::lines() const
{
    std::vector<std::string> lines;
    // Block texts are raw: unlike toPlainText() they keep non-breaking spaces as typed.
    for (QTextBlock block = codeText->document()->begin(); block.isValid(); block = block.next()) {
        // Shift+Enter breaks a line inside its block; it shows as two lines, so it saves as two.
        const QStringList parts = block.text().split(QChar::LineSeparator);
        for (const QString& part : parts)
            lines.push_back(part.toStdString());
    }
    // The row behind the last line break only holds the caret; a final line typed without a
    // break still counts.
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

std::string CodeWindow::crlfText() const
{
    return gen::TextForm(lines());
}

void CodeWindow::selectAllClicked()
{
    codeText->setFocus();
    codeText->selectAll();
}

void CodeWindow::copyClicked()
{
    QString text = codeText->textCursor().selectedText();
    if (text.isEmpty())
        return;
    // The selection separates lines with U+2029, and Shift+Enter leaves U+2028 inside a line;
    // other programs expect CR LF for both.
    text.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
    text.replace(QChar::LineSeparator, QLatin1String("\r\n"));
    QGuiApplication::clipboard()->setText(text);
}

void CodeWindow::saveToFileClicked()
{
    // Never the working folder: for an installed program that is wherever it was started from.
    ensureSaveDialog()->setDirectory(SaveDialogFolder());
    if (saveDialog->exec() != QDialog::Accepted)
        return;
    const QStringList files = saveDialog->selectedFiles();
    if (files.isEmpty())
        return;
    platform::ReplaceFile(files.first().toStdString(), crlfText(), platform::NewFileMode::Data);
    RememberSavedFile(files.first());
}

void CodeWindow::closeClicked()
{
    close();
}
