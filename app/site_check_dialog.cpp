#include "app/site_check_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/read_only_file.h"
#include "sitecheck/page_upgrade.h"
#include "sitecheck/upgrade_file.h"

namespace
{

constexpr std::int64_t kLargestPage = 16 * 1024 * 1024;

QString Line(const sitecheck::Finding& f)
{
    const gen::Compatibility& c = f.gadget->compatibility;
    const std::string_view sentence =
        f.edition == gen::Edition::Classic ? c.sentence : c.todaySentence;
    return QString::number(f.line) + QStringLiteral(": ") +
           QString::fromUtf8(QByteArrayView(f.gadget->title)) + QStringLiteral(" (") +
           QString::fromUtf8(QByteArrayView(gen::EditionName(f.edition))) + QStringLiteral("): ") +
           QString::fromUtf8(QByteArrayView(gen::SupportWord(sitecheck::StatusOf(f)))) +
           QStringLiteral(": ") + QString::fromUtf8(QByteArrayView(sentence));
}

} // namespace

SiteCheckDialog::SiteCheckDialog(const std::string& path, QWidget* parent)
    : QDialog(parent), path_(path)
{
    setWindowTitle(QStringLiteral("Check a Page - ") + QString::fromStdString(path));
    lstFindings = new QListWidget(this);
    lstFindings->setObjectName(QStringLiteral("lstFindings"));
    lstFindings->setWordWrap(true);
    lblOutcome = new QLabel(this);
    lblOutcome->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    btnUpgrade = buttons->addButton(QStringLiteral("&Upgrade"), QDialogButtonBox::ActionRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstFindings);
    layout->addWidget(lblOutcome);
    layout->addWidget(buttons);
    resize(640, 320);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(btnUpgrade, &QPushButton::clicked, this, &SiteCheckDialog::Upgrade);
    connect(lstFindings, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        Q_EMIT findingChosen(findings_.at(static_cast<std::size_t>(lstFindings->row(item))));
    });
    Load();
}

void SiteCheckDialog::Load()
{
    const platform::ReadOnlyFile file(path_);
    if (file.Size() > kLargestPage)
        throw std::runtime_error(path_ + " is larger than 16 MB and is not checked.");
    page_ = file.ReadAll();
    findings_ = sitecheck::MayHoldSnippet(page_) ? sitecheck::PageFinder(page_).Find()
                                                 : std::vector<sitecheck::Finding>{};
    lstFindings->clear();
    for (const sitecheck::Finding& f : findings_)
        lstFindings->addItem(Line(f));
    if (findings_.empty())
        lblOutcome->setText(QStringLiteral("No gadget's snippet found in this page."));
    lstFindings->setCurrentRow(0);
}

void SiteCheckDialog::Upgrade()
{
    const sitecheck::PageUpgrade u = sitecheck::UpgradePage(page_, findings_);
    QString outcome;
    for (const sitecheck::LeftAlone& l : u.leftAlone)
        outcome += QString::number(l.finding->line) + QStringLiteral(": ") +
                   QString::fromStdString(l.reason) + QLatin1Char('\n');
    try {
        if (!u.edits.empty())
            sitecheck::WriteUpgradedPage(path_, page_, u.page, true);
        outcome += u.edits.empty() ? QStringLiteral("Nothing to upgrade.")
                                   : QStringLiteral("Upgraded %1 snippet(s); the page as it was "
                                                    "is kept beside it as .orig.")
                                         .arg(u.upgraded);
        Load();
    } catch (const std::exception& e) {
        outcome += QString::fromStdString(e.what());
    }
    lblOutcome->setText(outcome);
}
