#include "app/site_check_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/qt_text.h"
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
    return QString::number(f.line) + QStringLiteral(": ") + ToQString(f.gadget->title) +
           QStringLiteral(" (") + ToQString(gen::EditionName(f.edition)) + QStringLiteral("): ") +
           ToQString(gen::SupportWord(sitecheck::StatusOf(f))) + QStringLiteral(": ") +
           ToQString(sentence);
}

} // namespace

SiteCheckDialog::SiteCheckDialog(const std::string& path, QWidget* parent)
    : QDialog(parent), path_(path)
{
    setWindowTitle(QStringLiteral("Check a Page - ") + QString::fromStdString(path));
    findingList = new QListWidget(this);
    findingList->setObjectName(QStringLiteral("lstFindings"));
    findingList->setWordWrap(true);
    outcomeLabel = new QLabel(this);
    outcomeLabel->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    upgradeButton = buttons->addButton(QStringLiteral("&Upgrade"), QDialogButtonBox::ActionRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(findingList);
    layout->addWidget(outcomeLabel);
    layout->addWidget(buttons);
    resize(640, 320);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(upgradeButton, &QPushButton::clicked, this, &SiteCheckDialog::upgrade);
    connect(findingList, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        Q_EMIT findingChosen(findings_.at(static_cast<std::size_t>(findingList->row(item))));
    });
    load();
}

void SiteCheckDialog::load()
{
    const platform::ReadOnlyFile file(path_);
    if (file.Size() > kLargestPage)
        throw std::runtime_error(path_ + " is larger than 16 MB and is not checked.");
    page_ = file.ReadAll();
    findings_ = sitecheck::MayHoldSnippet(page_) ? sitecheck::PageFinder(page_).Find()
                                                 : std::vector<sitecheck::Finding>{};
    findingList->clear();
    for (const sitecheck::Finding& f : findings_)
        findingList->addItem(Line(f));
    if (findings_.empty())
        outcomeLabel->setText(QStringLiteral("No gadget's snippet found in this page."));
    findingList->setCurrentRow(0);
}

void SiteCheckDialog::upgrade()
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
        load();
    } catch (const std::exception& e) {
        outcome += QString::fromStdString(e.what());
    }
    outcomeLabel->setText(outcome);
}
