#include <QFrame>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/code_window.h"
#include "app/idle_builder.h"
#include "app/idle_steps.h"
#include "app/main_window.h"
#include "app_test_support.h"
#include "generators/code_buffer.h"
#include "generators/gadget_table.h"
#include "widgets/prepared_label.h"
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

private:
    // Turns of the event loop until the builder has run out of steps, bounded.
    static void TurnUntilDone(const IdleBuilder& builder);
    static void RunAll(IdleBuilder& builder);
    static QImage OnScreen(QWidget& window);
};

void IdleBuilderTest::TurnUntilDone(const IdleBuilder& builder)
{
    for (int turn = 0; turn < 1000 && builder.StepsLeft() > 0; ++turn)
        QCoreApplication::processEvents();
}

void IdleBuilderTest::RunAll(IdleBuilder& builder)
{
    while (builder.RunNextStep()) {
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
    QVERIFY(!builder->RunNextStep());
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
    QCOMPARE(builder.StepsLeft(), std::size_t{0});
}

// Everything is built, nothing shows: the window keeps its pixels, page and focus, and the code
// window stays hidden until asked for.
void IdleBuilderTest::idleBuildingLeavesTheWindowAsItWas()
{
    AppFixture f;
    TForm2& form = *f.form2;
    const QImage before = form.grab().toImage();
    QWidget* const focus = form.focusWidget();
    IdleBuilder builder(form, MainWindowIdleSteps(form));
    RunAll(builder);
    for (int page = 1; page <= form.PageCount(); ++page)
        QVERIFY2(!form.Page(page)->findChildren<QWidget*>().isEmpty(),
                 qPrintable(QString::number(page)));
    QCOMPARE(form.VisiblePage(), 1);
    QCOMPARE(form.focusWidget(), focus);
    QVERIFY(Form4 && Form4->isHidden());
    QVERIFY(Form4->Lines().empty());
    QCOMPARE(form.grab().toImage(), before);
    QCOMPARE(f.reporter.messages, QStringList());
}

// Code the user generated (or a Preview left behind) is not replaced while idle.
void IdleBuilderTest::codeWindowInUseKeepsItsCode()
{
    AppFixture f;
    gen::CodeBuffer code;
    code.Append("<p>kept</p>");
    f.form4->SetCode(code);
    IdleBuilder builder(*f.form2, MainWindowIdleSteps(*f.form2));
    RunAll(builder);
    QCOMPARE(f.form4->Lines(), code.Lines());
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
// way the page came: the texts prepared while idle are copies of what the labels draw.
void IdleBuilderTest::pageBuiltWhileIdleLooksAsBuiltOnClick()
{
    QFETCH(int, page);
    QImage onClick;
    QImage onClickScreen;
    {
        AppFixture f;
        f.form2->ShowPage(page);
        onClick = f.form2->grab().toImage();
        onClickScreen = OnScreen(*f.form2);
    }
    AppFixture f;
    IdleBuilder builder(*f.form2, MainWindowIdleSteps(*f.form2));
    RunAll(builder);
    f.form2->ShowPage(page);
    QCOMPARE(f.form2->grab().toImage(), onClick);
    QCOMPARE(OnScreen(*f.form2), onClickScreen);
    for (const PreparedLabel* label : f.form2->Page(page)->findChildren<PreparedLabel*>())
        QVERIFY2(label->IsPrepared(), qPrintable(label->objectName()));
}

int main(int argc, char* argv[])
{
    return RunAppTest<IdleBuilderTest>(argc, argv);
}

#include "idle_builder_test.moc"
