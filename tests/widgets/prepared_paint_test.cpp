// Labels, check boxes and frames that copy pictures drawn ahead give exactly the pixels they would
// draw, and never a picture of an older look or of a background they no longer stand on.
#include <QFrame>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <functional>

#include "widgets/plain_background.h"
#include "widgets/prepared_check_box.h"
#include "widgets/prepared_frame_style.h"
#include "widgets/prepared_label.h"
#include "widgets/ui_fonts.h"

namespace
{

// A window filled with a plain colour, holding a raised frame that holds a label and a line
// edit, as the main window holds its pages, and a check box standing over the frame.
struct Page {
    Page()
    {
        window.setFixedSize(300, 200);
        window.setAutoFillBackground(true);
        window.setFont(ui::DialogFont(11));
        frame->setGeometry(10, 10, 280, 180);
        frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
        label->setTextFormat(Qt::PlainText);
        label->setText(QStringLiteral("Allow your visitors to email the current page."));
        label->setGeometry(16, 32, 200, 49);
        edit->setText(QStringLiteral("http://www.example.com"));
        edit->setGeometry(16, 108, 141, 21);
        box->setText(QStringLiteral("&Today's edition"));
        box->setGeometry(120, 150, 138, 17);
        window.show();
        QApplication::setActiveWindow(&window);
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("window not active");
    }
    QImage OnScreen()
    {
        window.repaint();
        return window.screen()->grabWindow(window.winId()).toImage();
    }

    QWidget window;
    QFrame* frame = new QFrame(&window);
    PreparedLabel* label = new PreparedLabel(frame);
    QLineEdit* edit = new QLineEdit(frame);
    PreparedCheckBox* box = new PreparedCheckBox(&window);
};

using Change = std::function<void(Page&)>;

void PatternUnder(Page& page)
{
    QPalette palette = page.window.palette();
    palette.setBrush(QPalette::Window, QBrush(Qt::gray, Qt::Dense4Pattern));
    page.window.setPalette(palette);
}

} // namespace

class PreparedPaintTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void copiesWhatWouldBeDrawn_data();
    void copiesWhatWouldBeDrawn();
    void changedLabelDrawsItself_data();
    void changedLabelDrawsItself();
    void checkBoxCopiesOnlyLooksAtRest();
    void keepsFewFrames();
};

void PreparedPaintTest::copiesWhatWouldBeDrawn_data()
{
    QTest::addColumn<Change>("look");
    QTest::addColumn<bool>("copied"); // false: off a plain background, drawn as ever
    QTest::newRow("plain") << Change([](Page&) {}) << true;
    QTest::newRow("wrapped, focused") << Change([](Page& p) {
        p.label->setWordWrap(true);
        p.edit->setFocus(Qt::TabFocusReason);
    }) << true;
    QTest::newRow("bold, centred, disabled") << Change([](Page& p) {
        p.label->setFont(ui::DialogFont(13, true));
        p.label->setAlignment(Qt::AlignCenter);
        p.frame->setEnabled(false);
        p.box->setChecked(true);
    }) << true;
    QTest::newRow("sunken box") << Change([](Page& p) {
        p.frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
        p.frame->setLineWidth(3);
    }) << true;
    QTest::newRow("over the frame's edge") << Change([](Page& p) {
        p.label->move(-2, 32);
        p.edit->move(-4, 108);
        p.box->move(5, 150);
    }) << false;
    QTest::newRow("pattern under them") << Change(PatternUnder) << false;
}

// Byte for byte on screen: drawn, then copied from what was drawn ahead.
void PreparedPaintTest::copiesWhatWouldBeDrawn()
{
    QFETCH(Change, look);
    QFETCH(bool, copied);
    Page page;
    copied = copied && CopiesExactly(page.window.devicePixelRatioF());
    look(page);
    const QImage drawn = page.OnScreen();
    PreparedFrameStyle* style = PreparedFrameStyle::Instance();
    QVERIFY(style);
    page.frame->setStyle(style);
    page.edit->setStyle(style);
    page.label->Prepare();
    page.box->Prepare();
    QCOMPARE(page.label->IsPrepared(), copied);
    QCOMPARE(page.box->IsPrepared(), copied);
    QCOMPARE(page.OnScreen(), drawn); // not prepared: drawn
    {
        const PreparedFrameStyle::Preparing preparing;
        QCOMPARE(page.OnScreen(), drawn); // drawn and kept
    }
    QCOMPARE(page.OnScreen(), drawn); // copied
}

void PreparedPaintTest::changedLabelDrawsItself_data()
{
    QTest::addColumn<Change>("change");
    QTest::newRow("text") << Change([](Page& p) { p.label->setText(QStringLiteral("URL")); });
    QTest::newRow("background") << Change(PatternUnder);
    QTest::newRow("sibling shown under it") << Change([](Page& p) {
        auto* under = new QFrame(p.frame);
        under->setFrameStyle(QFrame::Box);
        under->setGeometry(p.label->geometry().adjusted(-4, -4, 0, 0));
        under->stackUnder(p.label);
        under->show();
    });
}

void PreparedPaintTest::changedLabelDrawsItself()
{
    QFETCH(Change, change);
    Page page;
    page.label->Prepare();
    const QImage before = page.OnScreen();
    change(page);
    QVERIFY(!page.label->IsPrepared());
    const QImage after = page.OnScreen();
    QVERIFY(after != before);
    QCOMPARE(page.OnScreen(), after);
}

// Checked or not, and whether or not the focus last moved by keyboard, the box copies exactly
// what it draws; focused, or with a control shown under it, it draws itself.
void PreparedPaintTest::checkBoxCopiesOnlyLooksAtRest()
{
    Page page;
    if (!CopiesExactly(page.window.devicePixelRatioF()))
        QSKIP("nothing is copied at a fractional pixel ratio");
    page.window.setAttribute(Qt::WA_KeyboardFocusChange);
    const QImage afterKeyboardFocus = page.OnScreen();
    page.window.setAttribute(Qt::WA_KeyboardFocusChange, false);
    const QImage unchecked = page.OnScreen();
    page.box->setChecked(true);
    const QImage checked = page.OnScreen();
    page.box->Prepare();
    QVERIFY(page.box->IsPrepared());
    QCOMPARE(page.OnScreen(), checked);
    page.box->setChecked(false);
    QVERIFY(page.box->IsPrepared());
    QCOMPARE(page.OnScreen(), unchecked);
    page.window.setAttribute(Qt::WA_KeyboardFocusChange);
    QVERIFY(page.box->IsPrepared());
    QCOMPARE(page.OnScreen(), afterKeyboardFocus);
    page.box->setFocus(Qt::OtherFocusReason);
    QVERIFY(!page.box->IsPrepared());
    page.label->setFocus(Qt::OtherFocusReason);
    QVERIFY(page.box->IsPrepared());
    auto* under = new QLineEdit(page.frame);
    under->setGeometry(page.box->geometry().translated(-page.frame->pos()));
    under->show();
    QVERIFY(!page.box->IsPrepared());
}

void PreparedPaintTest::keepsFewFrames()
{
    Page page;
    PreparedFrameStyle* style = PreparedFrameStyle::Instance();
    QVERIFY(style);
    page.edit->setStyle(style);
    const PreparedFrameStyle::Preparing preparing;
    for (int width = 20; width < 220; ++width) {
        page.edit->resize(width, 21);
        page.OnScreen();
    }
    QVERIFY(style->KeptCount() > 0 || !CopiesExactly(page.window.devicePixelRatioF()));
    QVERIFY(style->KeptCount() <= 64);
}

QTEST_MAIN(PreparedPaintTest)

#include "prepared_paint_test.moc"
