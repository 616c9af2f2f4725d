#include "app/site_check.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>

#include "app/edition_choice.h"
#include "app/error_reporting.h"
#include "app/main_window.h"
#include "app/page_layout.h"
#include "app/qt_text.h"
#include "app/site_check_dialog.h"
#include "generators/spin_value.h"
#include "widgets/spin_edit.h"

namespace
{

void SetFieldText(QWidget& control, const std::string& text)
{
    // A spin box is an edit too; it holds the value its text stands for.
    if (auto* spin = qobject_cast<SpinEdit*>(&control))
        spin->setValue(gen::SpinValue(text));
    else if (auto* edit = qobject_cast<QLineEdit*>(&control))
        edit->setText(QString::fromStdString(text));
    else if (auto* combo = qobject_cast<QComboBox*>(&control))
        combo->setEditText(QString::fromStdString(text));
}

} // namespace

SiteCheck::SiteCheck(MainWindow& window) : QObject(&window), window_(window)
{
    checkPageAction = new QAction(QStringLiteral("Check a Page..."), &window);
    checkPageAction->setObjectName(QStringLiteral("actCheckPage"));
    checkPageAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    pasteSnippetAction = new QAction(QStringLiteral("Paste Stamped Snippet"), &window);
    pasteSnippetAction->setObjectName(QStringLiteral("actPasteSnippet"));
    pasteSnippetAction->setShortcut(QKeySequence::Paste);
    window.addAction(checkPageAction);
    window.addAction(pasteSnippetAction);
    window.setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(checkPageAction, &QAction::triggered, this, &SiteCheck::askForPage);
    connect(pasteSnippetAction, &QAction::triggered, this, [this] {
        RunReportingErrors([this] { pasteSnippet(QApplication::clipboard()->text()); });
    });
}

void SiteCheck::askForPage()
{
    const QString path = QFileDialog::getOpenFileName(
        &window_, QStringLiteral("Check a Page"), QString(),
        QStringLiteral("Web pages (*.html *.htm *.shtml *.php *.asp);;All files (*)"));
    if (!path.isEmpty())
        RunReportingErrors([this, &path] { checkPage(path); });
}

void SiteCheck::checkPage(const QString& path)
{
    auto* dialog = new SiteCheckDialog(path.toStdString(), &window_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (dialog_)
        dialog_->close();
    dialog_ = dialog;
    connect(dialog, &SiteCheckDialog::findingChosen, this, &SiteCheck::showFinding);
    dialog->show();
}

void SiteCheck::pasteSnippet(const QString& text)
{
    const std::string bytes = text.toStdString();
    for (const sitecheck::Finding& f : sitecheck::PageFinder(bytes).Find())
        if (f.stamped) {
            showFinding(f);
            return;
        }
    throw std::runtime_error("The clipboard holds no stamped snippet of Sitewright.");
}

void SiteCheck::showFinding(const sitecheck::Finding& finding)
{
    const int page = finding.gadget->page;
    window_.ensurePageBuilt(page);
    for (std::size_t i = 0; i < finding.gadget->fields.size(); ++i) {
        const QString name = ToQString(
            pages::FieldControlName(finding.gadget->id, finding.gadget->fields[i].option));
        if (QWidget* control = window_.findChild<QWidget*>(name))
            SetFieldText(*control, finding.values[i]);
    }
    window_.editionChoice->setChecked(finding.edition == gen::Edition::Today);
    window_.showPage(page);
}

SiteCheckDialog* SiteCheck::dialog() const
{
    return dialog_;
}
