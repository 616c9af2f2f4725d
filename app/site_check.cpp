#include "app/site_check.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>

#include "app/edition_choice.h"
#include "app/error_reporting.h"
#include "app/main_window.h"
#include "app/site_check_dialog.h"
#include "generators/spin_value.h"
#include "widgets/spin_edit.h"

namespace
{

void SetFieldText(QWidget& control, const std::string& text)
{
    // A spin box is an edit too; it holds the value its text stands for.
    if (auto* spin = qobject_cast<TSpinEdit*>(&control))
        spin->SetValue(gen::SpinValue(text));
    else if (auto* edit = qobject_cast<QLineEdit*>(&control))
        edit->setText(QString::fromStdString(text));
    else if (auto* combo = qobject_cast<QComboBox*>(&control))
        combo->setEditText(QString::fromStdString(text));
}

} // namespace

SiteCheck::SiteCheck(MainWindow& window) : QObject(&window), window_(window)
{
    actCheckPage = new QAction(QStringLiteral("Check a Page..."), &window);
    actCheckPage->setObjectName(QStringLiteral("actCheckPage"));
    actCheckPage->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    actPasteSnippet = new QAction(QStringLiteral("Paste Stamped Snippet"), &window);
    actPasteSnippet->setObjectName(QStringLiteral("actPasteSnippet"));
    actPasteSnippet->setShortcut(QKeySequence::Paste);
    window.addAction(actCheckPage);
    window.addAction(actPasteSnippet);
    window.setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(actCheckPage, &QAction::triggered, this, &SiteCheck::AskForPage);
    connect(actPasteSnippet, &QAction::triggered, this, [this] {
        RunReportingErrors([this] { PasteSnippet(QApplication::clipboard()->text()); });
    });
}

void SiteCheck::AskForPage()
{
    const QString path = QFileDialog::getOpenFileName(
        &window_, QStringLiteral("Check a Page"), QString(),
        QStringLiteral("Web pages (*.html *.htm *.shtml *.php *.asp);;All files (*)"));
    if (!path.isEmpty())
        RunReportingErrors([this, &path] { CheckPage(path); });
}

void SiteCheck::CheckPage(const QString& path)
{
    auto* dialog = new SiteCheckDialog(path.toStdString(), &window_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (dialog_)
        dialog_->close();
    dialog_ = dialog;
    connect(dialog, &SiteCheckDialog::findingChosen, this, &SiteCheck::ShowFinding);
    dialog->show();
}

void SiteCheck::PasteSnippet(const QString& text)
{
    const std::string bytes = text.toStdString();
    for (const sitecheck::Finding& f : sitecheck::PageFinder(bytes).Find())
        if (f.stamped) {
            ShowFinding(f);
            return;
        }
    throw std::runtime_error("The clipboard holds no stamped snippet of Sitewright.");
}

void SiteCheck::ShowFinding(const sitecheck::Finding& finding)
{
    const int page = finding.gadget->page;
    window_.ensurePageBuilt(page);
    for (std::size_t i = 0; i < finding.gadget->fields.size(); ++i) {
        const QString name = QString::fromUtf8(QByteArrayView(finding.gadget->fields[i].component));
        if (QWidget* control = window_.findChild<QWidget*>(name))
            SetFieldText(*control, finding.values[i]);
    }
    window_.editionChoice->setChecked(finding.edition == gen::Edition::Today);
    window_.showPage(page);
}

SiteCheckDialog* SiteCheck::Dialog() const
{
    return dialog_;
}
