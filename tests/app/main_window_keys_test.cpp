#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <memory>

#include "app/link_label.h"
#include "app/main_window.h"
#include "app/page_layout.h"
#include "app_test_support.h"
#include "generators/gadget_table.h"
#include "widgets/spin_edit.h"
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
    void pressPendingWhilePageHiddenIsDropped();
    void pageSteps_data();
    void pageSteps();
    void altDigitShowsPage_data();
    void altDigitShowsPage();
    void currentMenuLineIsSelectedForTools();
    void everyControlHasAName();

private:
    QWidget* Focused() const { return QApplication::focusWidget(); }
    void CheckPageAndFocus(int page) const;
    std::unique_ptr<AppFixture> f;
};

namespace
{

// The first control of a page in its tab order: the Preview button when the layout orders the
// fields after the buttons or there are none, otherwise the first field the page builds.
QString FirstControl(int page)
{
    const pages::PageLayout& layout = pages::PageLayoutOf(page);
    if (!layout.tabOrder.empty() || layout.fields.empty())
        return QStringLiteral("xpButton%1").arg(2 * page - 1);
    return QString::fromUtf8(layout.fields.front().name);
}

} // namespace

void MainWindowKeysTest::init()
{
    f = std::make_unique<AppFixture>();
    QApplication::setActiveWindow(f->mainWindow.get());
    QVERIFY(QTest::qWaitForWindowActive(f->mainWindow.get()));
}

void MainWindowKeysTest::menuClickFocusesShownPage_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("page");
    for (const gen::GadgetEntry& gadget : gen::GadgetTable()) {
        const std::string_view line = pages::PageLayoutOf(gadget.page).menuLine;
        QTest::addRow("%s", line.data()) << QString::fromUtf8(line) << gadget.page;
    }
}

// Whatever page had the focus before, the shown page's first control has it after, in one move.
void MainWindowKeysTest::menuClickFocusesShownPage()
{
    QFETCH(QString, line);
    QFETCH(int, page);
    MainWindow& window = *f->mainWindow;
    const int before = page == window.pageCount() ? page - 1 : page + 1;
    window.showPage(before);
    window.findChild<XpButton*>(QStringLiteral("xpButton%1").arg(2 * before))->setFocus();
    QSignalSpy moves(qApp, &QApplication::focusChanged);
    QTest::mouseClick(window.menuPanel->findChild<LinkLabel*>(line), Qt::LeftButton);
    QCOMPARE(window.visiblePage(), page);
    QVERIFY(Focused());
    QCOMPARE(Focused()->objectName(), FirstControl(page));
    // Straight there: a control passed on the way would be announced to screen readers.
    QCOMPARE(moves.size(), 1);
    QVERIFY(Focused()->isVisible());
    QVERIFY(window.pagePanel(page)->isAncestorOf(Focused()));
}

void MainWindowKeysTest::keyActsOnShownPageOnly_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("clicked"); // empty: no button clicks
    QTest::newRow("space on bookmark us") << 2 << int(Qt::Key_Space) << QString();
    QTest::newRow("enter on bookmark us") << 2 << int(Qt::Key_Return) << QString();
    QTest::newRow("space on language") << 8 << int(Qt::Key_Space) << "xpButton15";
    QTest::newRow("enter on popup page") << 10 << int(Qt::Key_Return) << "xpButton19";
}

// From a fresh start, where page 1's Preview button has the focus, a menu click and one key.
void MainWindowKeysTest::keyActsOnShownPageOnly()
{
    QFETCH(int, page);
    QFETCH(int, key);
    QFETCH(QString, clicked);
    MainWindow& window = *f->mainWindow;
    QCOMPARE(Focused(), window.findChild<QWidget*>(QStringLiteral("xpButton1")));
    QList<std::shared_ptr<QSignalSpy>> spies;
    const QList<XpButton*> buttons = window.findChildren<XpButton*>();
    for (XpButton* button : buttons)
        spies << std::make_shared<QSignalSpy>(button, &XpButton::clicked);
    window.showPage(page);
    QTest::keyClick(Focused(), Qt::Key(key));
    for (qsizetype i = 0; i < buttons.size(); ++i)
        QCOMPARE(spies[i]->count(), buttons[i]->objectName() == clicked ? 1 : 0);
    QCOMPARE(f->shell.requests.size(), clicked.isEmpty() ? 0u : 1u);
}

void MainWindowKeysTest::CheckPageAndFocus(int page) const
{
    QCOMPARE(f->mainWindow->visiblePage(), page);
    QVERIFY(Focused());
    QCOMPARE(Focused()->objectName(), FirstControl(page));
}

void MainWindowKeysTest::pageSteps_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("step");
    QTest::newRow("ctrl+page down") << int(Qt::Key_PageDown) << int(Qt::ControlModifier) << 1;
    QTest::newRow("ctrl+tab") << int(Qt::Key_Tab) << int(Qt::ControlModifier) << 1;
    QTest::newRow("ctrl+page up") << int(Qt::Key_PageUp) << int(Qt::ControlModifier) << -1;
    QTest::newRow("ctrl+shift+tab")
        << int(Qt::Key_Backtab) << int(Qt::ControlModifier | Qt::ShiftModifier) << -1;
}

// One step more than there are pages, from page 1: every page once, round the end and on,
// taking the focus along; keys typed into a field of the shown page reach the shortcuts too.
void MainWindowKeysTest::pageSteps()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, step);
    const int pages = f->mainWindow->pageCount();
    int page = 1;
    for (int i = 0; i <= pages; ++i) {
        QTest::keyClick(Focused(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        page = (page - 1 + step + pages) % pages + 1;
        CheckPageAndFocus(page);
    }
}

void MainWindowKeysTest::altDigitShowsPage_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("page");
    // Alt+1 ... Alt+9 and Alt+0: the digit keys reach the first ten pages.
    const int digits = std::min(static_cast<int>(gen::GadgetTable().size()), 10);
    for (int page = 1; page <= digits; ++page)
        QTest::addRow("alt+%d", page % 10) << int(Qt::Key_0 + page % 10) << page;
}

void MainWindowKeysTest::altDigitShowsPage()
{
    QFETCH(int, key);
    QFETCH(int, page);
    f->mainWindow->showPage(page == 2 ? 3 : 2); // the focus in a text field
    QTest::keyClick(Focused(), Qt::Key(key), Qt::AltModifier);
    CheckPageAndFocus(page);
}

void MainWindowKeysTest::currentMenuLineIsSelectedForTools()
{
    const QList<LinkLabel*> lines =
        f->mainWindow->menuPanel->findChildren<LinkLabel*>(Qt::FindDirectChildrenOnly);
    QCOMPARE(lines.size(), f->mainWindow->pageCount());
    for (int page : {1, 6, 5, 3}) {
        QTest::keyClick(Focused(), Qt::Key(Qt::Key_0 + page), Qt::AltModifier);
        for (int line = 1; line <= lines.size(); ++line) {
            QAccessibleInterface* tool = QAccessible::queryAccessibleInterface(lines[line - 1]);
            QVERIFY(tool);
            QCOMPARE(tool->role(), QAccessible::PageTab);
            QVERIFY(tool->state().selectable);
            QCOMPARE(bool(tool->state().selected), line == page);
        }
    }
    QAccessibleInterface* link = QAccessible::queryAccessibleInterface(f->mainWindow->linkLine);
    QCOMPARE(link->role(), QAccessible::Link);
    QVERIFY(!link->state().selectable);
}

// Buttons by their caption, fields by the text of the label before them, labels by their own.
void MainWindowKeysTest::everyControlHasAName()
{
    // Pages build their controls when first shown.
    for (int page = 1; page <= f->mainWindow->pageCount(); ++page)
        f->mainWindow->ensurePageBuilt(page);
    const auto name = [](QWidget* widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    };
    for (XpButton* button : f->mainWindow->findChildren<XpButton*>())
        QCOMPARE(name(button), button->caption());
    for (QLabel* label : f->mainWindow->findChildren<QLabel*>())
        QCOMPARE(name(label), label->text());
    std::vector<std::pair<QWidget*, QString>> fields;
    for (const gen::GadgetEntry& gadget : gen::GadgetTable())
        for (const gen::FieldEntry& field : gadget.fields)
            fields.emplace_back(f->mainWindow->findChild<QWidget*>(QString::fromUtf8(
                                    pages::FieldControlName(gadget.id, field.option))),
                                QString::fromUtf8(field.caption));
    for (const auto& [field, caption] : fields) {
        QVERIFY2(field, qPrintable(caption));
        QCOMPARE(field->accessibleName(), caption);
        // What a screen reader says: for the combo box too its caption, never its value.
        QCOMPARE(name(field), caption);
        // Some tools read the label instead; it stands in the relation.
        const auto labels =
            QAccessible::queryAccessibleInterface(field)->relations(QAccessible::Label);
        QVERIFY(!labels.isEmpty());
        QCOMPARE(labels.first().first->text(QAccessible::Name), caption);
    }
    for (QWidget* field : f->mainWindow->findChildren<QLineEdit*>()) {
        if (!qobject_cast<QComboBox*>(field->parentWidget()))
            QVERIFY2(!name(field).isEmpty(), qPrintable(field->objectName()));
    }
    // The arrows of every spin box, which show no text, say which way they step.
    for (SpinEdit* spin : f->mainWindow->findChildren<SpinEdit*>()) {
        const QString up = name(spin->upButton());
        const QString down = name(spin->downButton());
        QVERIFY2(!up.isEmpty() && !down.isEmpty() && up != down, qPrintable(spin->objectName()));
    }
}

// Space held on Preview while the user leaves the page and comes back: the release that follows
// must not preview, since the press belonged to a page that was hidden in between.
void MainWindowKeysTest::pressPendingWhilePageHiddenIsDropped()
{
    f->mainWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f->mainWindow.get()));
    QCOMPARE(Focused(), f->Control("xpButton1"));
    QTest::keyPress(f->Control("xpButton1"), Qt::Key_Space);
    f->mainWindow->showPage(2);
    f->mainWindow->showPage(1);
    QCOMPARE(Focused(), f->Control("xpButton1"));
    QTest::keyRelease(f->Control("xpButton1"), Qt::Key_Space);
    QCOMPARE(f->shell.requests.size(), 0u);
}

QTEST_MAIN(MainWindowKeysTest)
#include "main_window_keys_test.moc"
