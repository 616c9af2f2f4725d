#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "app/edition_choice.h"
#include "app/link_label.h"
#include "app/main_window.h"
#include "app/site_check.h"
#include "app/site_check_dialog.h"
#include "app_test_support.h"
#include "generators/stamp.h"
#include "widgets/spin_edit.h"

// The site check in the program: a page's findings listed, one chosen to open its page with its
// values, the page upgraded beside its .orig, and a stamped snippet pasted onto the window.
class SiteCheckTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { f.reset(); }
    void reachableFromTheContextMenuAndKeys();
    void choosingAFindingShowsItsPageWithItsValues();
    void upgradeKeepsTheOriginalAndRefusesToLoseIt();
    void pastingAStampedSnippetShowsItsPage_data();
    void pastingAStampedSnippetShowsItsPage();

private:
    SiteCheck& Check() const { return *f->mainWindow->findChild<SiteCheck*>(); }
    std::string ClassicPage() const;
    std::unique_ptr<AppFixture> f;
};

void SiteCheckTest::init()
{
    f = std::make_unique<AppFixture>();
    QApplication::setActiveWindow(f->mainWindow.get());
    QVERIFY(QTest::qWaitForWindowActive(f->mainWindow.get()));
}

std::string SiteCheckTest::ClassicPage() const
{
    const gen::GadgetEntry& bookmark = *gen::FindGadget("bookmark-us");
    const gen::FieldValues values = {"http://shop.example/?a=1&b=2", "Tom's \"Shop\""};
    return "<html><body>\n" +
           gen::GenerateEdition(bookmark, values, gen::Edition::Classic).TextForm() +
           gen::GenerateEdition(*gen::FindGadget("metasearch"), {}, gen::Edition::Classic)
               .TextForm() +
           "</body></html>\n";
}

void SiteCheckTest::reachableFromTheContextMenuAndKeys()
{
    QCOMPARE(f->mainWindow->contextMenuPolicy(), Qt::ActionsContextMenu);
    QVERIFY(f->mainWindow->actions().contains(Check().checkPageAction));
    QCOMPARE(Check().checkPageAction->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    QVERIFY(f->mainWindow->actions().contains(Check().pasteSnippetAction));
}

void SiteCheckTest::choosingAFindingShowsItsPageWithItsValues()
{
    const std::string page = f->dir.Write("shop.html", ClassicPage());
    Check().checkPage(QString::fromStdString(page));
    SiteCheckDialog* dialog = Check().dialog();
    QVERIFY(dialog);
    QCOMPARE(dialog->findingList->count(), 2);
    QVERIFY(dialog->findingList->item(0)->text().contains(QStringLiteral("does not work")));
    QVERIFY(dialog->findingList->item(1)->text().contains(QStringLiteral("works")));
    dialog->findingList->setCurrentRow(0);
    dialog->findingList->setFocus();
    QTest::keyClick(dialog->findingList, Qt::Key_Return);
    QCOMPARE(f->mainWindow->visiblePage(), 2);
    QCOMPARE(f->mainWindow->findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(),
             QStringLiteral("http://shop.example/?a=1&b=2"));
    QCOMPARE(f->mainWindow->findChild<QLineEdit*>(QStringLiteral("Edit2"))->text(),
             QStringLiteral("Tom's \"Shop\""));
    QVERIFY(!f->mainWindow->editionChoice->isChecked());
}

void SiteCheckTest::upgradeKeepsTheOriginalAndRefusesToLoseIt()
{
    const std::string original = ClassicPage();
    const std::string page = f->dir.Write("shop.html", original);
    Check().checkPage(QString::fromStdString(page));
    SiteCheckDialog* dialog = Check().dialog();
    QTest::mouseClick(dialog->upgradeButton, Qt::LeftButton);
    QCOMPARE(ReadBytes(page + ".orig"), original);
    QVERIFY(ReadBytes(page) != original);
    QVERIFY(ReadBytes(page).find("document.currentScript.after(link, hint)") != std::string::npos);

    WriteBytes(page, original);
    Check().checkPage(QString::fromStdString(page));
    dialog = Check().dialog();
    QTest::mouseClick(dialog->upgradeButton, Qt::LeftButton);
    QVERIFY(dialog->outcomeLabel->text().contains(QStringLiteral(".orig")));
    QCOMPARE(ReadBytes(page), original);
}

void SiteCheckTest::pastingAStampedSnippetShowsItsPage_data()
{
    QTest::addColumn<QString>("edition");
    QTest::newRow("today") << QStringLiteral("today");
    QTest::newRow("classic") << QStringLiteral("classic");
}

void SiteCheckTest::pastingAStampedSnippetShowsItsPage()
{
    QFETCH(QString, edition);
    const gen::GadgetEntry& logo = *gen::FindGadget("logo-branding");
    gen::FieldValues values = gen::DefaultValues(logo);
    values[0] = "Specials -- \"now\" caf\xC3\xA9";
    values[3] = "120";
    const gen::Edition e = *gen::ParseEdition(edition.toStdString());
    QApplication::clipboard()->setText(
        QString::fromStdString(gen::StampedEdition(logo, values, e).TextForm()));
    f->Control("Label1")->setFocus();
    QTest::keyClick(f->mainWindow.get(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f->mainWindow->visiblePage(), 5);
    QCOMPARE(f->mainWindow->findChild<QLineEdit*>(QStringLiteral("Edit4"))->text().toStdString(),
             values[0]);
    QCOMPARE(f->mainWindow->findChild<SpinEdit*>(QStringLiteral("SpinEdit1"))->value(), 120);
    QCOMPARE(f->mainWindow->editionChoice->isChecked(), e == gen::Edition::Today);
}

int main(int argc, char* argv[])
{
    return RunAppTest<SiteCheckTest>(argc, argv);
}

#include "site_check_test.moc"
