#include <QCheckBox>
#include <QFrame>
#include <QImage>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/code_window.h"
#include "app/edition_choice.h"
#include "app/idle_builder.h"
#include "app/idle_steps.h"
#include "app/main_window.h"
#include "app/snippet_status.h"
#include "app_test_support.h"
#include "generators/code_buffer.h"
#include "generators/gadget_table.h"
#include "widgets/xp_button.h"

class IdleBuilderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nothingRunsBeforeFirstPaint();
    void waitingEventsRunBetweenSteps();
    void failingStepDoesNotStopTheRest();
    void idleBuildingLeavesTheWindowAsItWas();
    void codeWindowInUseKeepsItsCode();
    void pageBuiltWhileIdleLooksAsBuiltOnClick_data();
    void pageBuiltWhileIdleLooksAsBuiltOnClick();
    void codeWindowRehearsedWhileIdleShowsAsOnClick_data();
    void codeWindowRehearsedWhileIdleShowsAsOnClick();
    void rehearsedCodeWindowShownUnaskedIsEmpty();

private:
    // What a user sees and gets of the code window that Generate Code brought up.
    struct Shown {
        QImage pixels;
        std::vector<std::string> lines;
        QString status;
        bool statusShown = false;
    };
    static Shown GenerateCode(bool idleFirst, int page, bool otherEdition);

    // Turns of the event loop until the builder has run out of steps, bounded.
    static void TurnUntilDone(const IdleBuilder& builder);
    static void RunAll(IdleBuilder& builder);
    static QImage OnScreen(QWidget& window);
};

void IdleBuilderTest::TurnUntilDone(const IdleBuilder& builder)
{
    for (int turn = 0; turn < 1000 && builder.stepsLeft() > 0; ++turn)
        QCoreApplication::processEvents();
}

void IdleBuilderTest::RunAll(IdleBuilder& builder)
{
    while (builder.runNextStep()) {
    }
}

// A window that is never painted never starts its steps; its first paint does.
void IdleBuilderTest::nothingRunsBeforeFirstPaint()
{
    QWidget window;
    int runs = 0;
    auto* builder = new IdleBuilder(window, {[&runs] { ++runs; }, [&runs] { ++runs; }});
    for (int turn = 0; turn < 20; ++turn)
        QCoreApplication::processEvents();
    QCOMPARE(runs, 0);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    TurnUntilDone(*builder);
    QCOMPARE(runs, 2);
    QVERIFY(!builder->runNextStep());
}

// An event queued while a step runs, as a click arriving then would be, is handled before the
// next step starts.
void IdleBuilderTest::waitingEventsRunBetweenSteps()
{
    QWidget window;
    std::vector<std::string> order;
    const auto queueInput = [&order] {
        QMetaObject::invokeMethod(
            qApp, [&order] { order.push_back("input"); }, Qt::QueuedConnection);
    };
    auto* builder = new IdleBuilder(window, {[&] {
                                                 order.push_back("step 1");
                                                 queueInput();
                                             },
                                             [&] {
                                                 order.push_back("step 2");
                                                 queueInput();
                                             },
                                             [&] { order.push_back("step 3"); }});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    TurnUntilDone(*builder);
    QCoreApplication::processEvents();
    QCOMPARE(order, (std::vector<std::string>{"step 1", "input", "step 2", "input", "step 3"}));
}

void IdleBuilderTest::failingStepDoesNotStopTheRest()
{
    QWidget window;
    int runs = 0;
    IdleBuilder builder(window,
                        {[] { throw std::logic_error("bad layout"); }, [&runs] { ++runs; }});
    window.removeEventFilter(&builder);
    RunAll(builder);
    QCOMPARE(runs, 1);
    QCOMPARE(builder.stepsLeft(), std::size_t{0});
}

// Everything is built, nothing shows: the window keeps its pixels, page and focus, and the code
// window stays hidden until asked for.
void IdleBuilderTest::idleBuildingLeavesTheWindowAsItWas()
{
    AppFixture f;
    MainWindow& mainWindow = *f.mainWindow;
    const QImage before = mainWindow.grab().toImage();
    QWidget* const focus = mainWindow.focusWidget();
    IdleBuilder builder(mainWindow, MainWindowIdleSteps(mainWindow));
    RunAll(builder);
    for (int page = 1; page <= mainWindow.pageCount(); ++page)
        QVERIFY2(!mainWindow.pagePanel(page)->findChildren<QWidget*>().isEmpty(),
                 qPrintable(QString::number(page)));
    QCOMPARE(mainWindow.visiblePage(), 1);
    QCOMPARE(mainWindow.focusWidget(), focus);
    QVERIFY(mainWindow.madeCodeWindow() && mainWindow.madeCodeWindow()->isHidden());
    QVERIFY(mainWindow.madeCodeWindow()->lines().empty());
    QCOMPARE(mainWindow.grab().toImage(), before);
    QCOMPARE(f.reporter.messages, QStringList());
}

// Code the user generated (or a Preview left behind) is not replaced while idle.
void IdleBuilderTest::codeWindowInUseKeepsItsCode()
{
    AppFixture f;
    gen::CodeBuffer code;
    code.Append("<p>kept</p>");
    f.codeWindow->setCode(code);
    IdleBuilder builder(*f.mainWindow, MainWindowIdleSteps(*f.mainWindow));
    RunAll(builder);
    QCOMPARE(f.codeWindow->lines(), code.Lines());
}

void IdleBuilderTest::pageBuiltWhileIdleLooksAsBuiltOnClick_data()
{
    QTest::addColumn<int>("page");
    for (int page = 1; page <= static_cast<int>(gen::GadgetTable().size()); ++page)
        QTest::addRow("page %d", page) << page;
}

// What the screen shows of the window once it has painted itself again.
QImage IdleBuilderTest::OnScreen(QWidget& window)
{
    window.repaint();
    return window.screen()->grabWindow(window.winId()).toImage();
}

// The same controls, texts, places and focus, pixel for pixel, on screen and grabbed, whichever
// way the page came.
void IdleBuilderTest::pageBuiltWhileIdleLooksAsBuiltOnClick()
{
    QFETCH(int, page);
    QImage onClick;
    QImage onClickScreen;
    {
        AppFixture f;
        f.mainWindow->showPage(page);
        onClick = f.mainWindow->grab().toImage();
        onClickScreen = OnScreen(*f.mainWindow);
    }
    AppFixture f;
    IdleBuilder builder(*f.mainWindow, MainWindowIdleSteps(*f.mainWindow));
    RunAll(builder);
    f.mainWindow->showPage(page);
    QCOMPARE(f.mainWindow->grab().toImage(), onClick);
    QCOMPARE(OnScreen(*f.mainWindow), onClickScreen);
}

IdleBuilderTest::Shown IdleBuilderTest::GenerateCode(bool idleFirst, int page, bool otherEdition)
{
    AppFixture f;
    if (idleFirst) {
        IdleBuilder builder(*f.mainWindow, MainWindowIdleSteps(*f.mainWindow));
        RunAll(builder);
    }
    if (otherEdition)
        f.Control<QCheckBox>("chkTodaysEdition")->toggle();
    f.mainWindow->showPage(page);
    f.mainWindow->generateCodeClicked(page);
    CodeWindow& window = *f.codeWindow;
    if (!QTest::qWaitForWindowExposed(&window))
        qWarning("code window not exposed");
    Shown shown;
    shown.pixels = window.grab().toImage();
    shown.lines = window.lines();
    shown.status = window.snippetStatus->text();
    shown.statusShown = window.snippetStatus->isVisible();
    return shown;
}

void IdleBuilderTest::codeWindowRehearsedWhileIdleShowsAsOnClick_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("otherEdition");
    QTest::newRow("page 1, the code rehearsed") << 1 << false;
    QTest::newRow("page 1 in the other edition") << 1 << true;
    QTest::newRow("page 2, other code") << 2 << false;
}

// The code window rehearsed while idle shows, pixel for pixel, what a window built on the click
// shows.
void IdleBuilderTest::codeWindowRehearsedWhileIdleShowsAsOnClick()
{
    QFETCH(int, page);
    QFETCH(bool, otherEdition);
    const Shown onClick = GenerateCode(false, page, otherEdition);
    const Shown rehearsed = GenerateCode(true, page, otherEdition);
    QVERIFY(!onClick.lines.empty());
    QCOMPARE(rehearsed.pixels, onClick.pixels);
    QCOMPARE(rehearsed.lines, onClick.lines);
    QCOMPARE(rehearsed.status, onClick.status);
    QCOMPARE(rehearsed.statusShown, onClick.statusShown);
}

// The code rehearsed for page 1 is no code of the user's: shown without a click, the window is
// empty.
void IdleBuilderTest::rehearsedCodeWindowShownUnaskedIsEmpty()
{
    AppFixture f;
    IdleBuilder builder(*f.mainWindow, MainWindowIdleSteps(*f.mainWindow));
    RunAll(builder);
    QCOMPARE(f.codeWindow->crlfText(), std::string());
    f.codeWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.codeWindow));
    QVERIFY(f.codeWindow->lines().empty());
    QCOMPARE(f.codeWindow->codeText->toPlainText(), QString());
    QVERIFY(!f.codeWindow->snippetStatus->isVisible());
}

int main(int argc, char* argv[])
{
    return RunAppTest<IdleBuilderTest>(argc, argv);
}

#include "idle_builder_test.moc"
