#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "app/click_label.h"
#include "app/main_window.h"
#include "app_test_support.h"
#include "widgets/xp_button.h"

// The main window from the keyboard: where the focus goes when the page changes, and that keys
// act on the shown page alone.
class MainWindowKeysTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { f.reset(); }

    void menuClickFocusesShownPage_data();
    void menuClickFocusesShownPage();
    void keyActsOnShownPageOnly_data();
    void keyActsOnShownPageOnly();

private:
    QWidget* Focused() const { return QApplication::focusWidget(); }
    std::unique_ptr<AppFixture> f;
};

namespace
{

// The first control of each page in its tab order.
const char* const kFirstControl[] = {"xpButton1",  "Edit1",      "xpButton5",  "xpButton7",
                                     "xpButton9",  "xpButton11", "xpButton13", "xpButton15",
                                     "xpButton17", "xpButton19"};

} // namespace

void MainWindowKeysTest::init()
{
    f = std::make_unique<AppFixture>();
    QApplication::setActiveWindow(f->form2.get());
    QVERIFY(QTest::qWaitForWindowActive(f->form2.get()));
}

void MainWindowKeysTest::menuClickFocusesShownPage_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("page");
    const char* const lines[] = {"Label1", "Label2", "Label3", "Label4", "Label6",
                                 "Label5", "Label7", "Label8", "Label9", "Label10"};
    for (int page = 1; page <= 10; ++page)
        QTest::addRow("%s", lines[page - 1]) << QString::fromLatin1(lines[page - 1]) << page;
}

// Whatever page had the focus before, the shown page's first control has it after.
void MainWindowKeysTest::menuClickFocusesShownPage()
{
    QFETCH(QString, line);
    QFETCH(int, page);
    TForm2& window = *f->form2;
    const int before = page == 10 ? 9 : page + 1;
    window.ShowPage(before);
    window.findChild<TxpButton*>(QStringLiteral("xpButton%1").arg(2 * before))->setFocus();
    QTest::mouseClick(window.Menuepanel1->findChild<ClickLabel*>(line), Qt::LeftButton);
    QCOMPARE(window.VisiblePage(), page);
    QVERIFY(Focused());
    QCOMPARE(Focused()->objectName(), QString::fromLatin1(kFirstControl[page - 1]));
    QVERIFY(Focused()->isVisible());
    QVERIFY(window.Page(page)->isAncestorOf(Focused()));
}

void MainWindowKeysTest::keyActsOnShownPageOnly_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("clicked"); // empty: no button clicks
    QTest::newRow("space on bookmark us") << 2 << int(Qt::Key_Space) << QString();
    QTest::newRow("enter on bookmark us") << 2 << int(Qt::Key_Return) << QString();
    QTest::newRow("space on email this page") << 3 << int(Qt::Key_Space) << "xpButton5";
    QTest::newRow("enter on popup page") << 10 << int(Qt::Key_Return) << "xpButton19";
}

// From a fresh start, where page 1's Preview button has the focus, a menu click and one key.
void MainWindowKeysTest::keyActsOnShownPageOnly()
{
    QFETCH(int, page);
    QFETCH(int, key);
    QFETCH(QString, clicked);
    TForm2& window = *f->form2;
    QCOMPARE(Focused(), window.xpButton1);
    QList<std::shared_ptr<QSignalSpy>> spies;
    const QList<TxpButton*> buttons = window.findChildren<TxpButton*>();
    for (TxpButton* button : buttons)
        spies << std::make_shared<QSignalSpy>(button, &TxpButton::clicked);
    window.ShowPage(page);
    QTest::keyClick(Focused(), Qt::Key(key));
    for (qsizetype i = 0; i < buttons.size(); ++i)
        QCOMPARE(spies[i]->count(), buttons[i]->objectName() == clicked ? 1 : 0);
    QCOMPARE(f->shell.requests.size(), clicked.isEmpty() ? 0u : 1u);
}

QTEST_MAIN(MainWindowKeysTest)
#include "main_window_keys_test.moc"
