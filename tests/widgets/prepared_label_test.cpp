// A prepared label copies exactly the pixels it would draw, and never a picture of an older look
// or of a background it no longer stands on.
#include <QFrame>
#include <QScreen>
#include <QTest>
#include <functional>
#include <memory>

#include "widgets/prepared_label.h"
#include "widgets/ui_fonts.h"

namespace
{

using Change = std::function<void(PreparedLabel&)>;

// A window filled with a plain colour, holding a raised frame that holds the label, as the main
// window holds its pages.
struct Page {
    Page()
    {
        window.setFixedSize(300, 200);
        window.setAutoFillBackground(true);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, QColor(0xEC, 0xE9, 0xD8));
        window.setPalette(palette);
        window.setFont(ui::DialogFont(11));
        frame->setGeometry(10, 10, 280, 180);
        frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
        label->setTextFormat(Qt::PlainText);
        label->setText(QStringLiteral("Name of your site:"));
        label->setGeometry(16, 32, 200, 49);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qWarning("window not exposed");
    }
    // What the screen shows once the window has painted itself again.
    QImage OnScreen()
    {
        window.repaint();
        return window.screen()->grabWindow(window.winId()).toImage();
    }

    QWidget window;
    QFrame* frame = new QFrame(&window);
    PreparedLabel* label = new PreparedLabel(frame);
};

} // namespace

class PreparedLabelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void copiesWhatItWouldDraw_data();
    void copiesWhatItWouldDraw();
    void changedLabelDrawsItself_data();
    void changedLabelDrawsItself();
    void labelOffAPlainBackgroundDrawsItself_data();
    void labelOffAPlainBackgroundDrawsItself();
};

void PreparedLabelTest::copiesWhatItWouldDraw_data()
{
    QTest::addColumn<Change>("look");
    QTest::newRow("caption") << Change([](PreparedLabel&) {});
    QTest::newRow("bold title") << Change([](PreparedLabel& l) {
        l.setFont(ui::DialogFont(13, true));
        l.setText(QStringLiteral(" Bookmark Us!"));
    });
    QTest::newRow("underlined, right") << Change([](PreparedLabel& l) {
        l.setFont(ui::DialogFont(11, false, true));
        l.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    });
    QTest::newRow("wrapped description") << Change([](PreparedLabel& l) {
        l.setFont(ui::DialogFont(13));
        l.setWordWrap(true);
        l.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l.setText(QStringLiteral("Allow your visitors to email the current page to a friend. "
                                 "They just enter a friend's name and email address."));
    });
    QTest::newRow("centred, disabled") << Change([](PreparedLabel& l) {
        l.setAlignment(Qt::AlignCenter);
        l.setEnabled(false);
    });
}

// Byte for byte, on screen and when the window is grabbed.
void PreparedLabelTest::copiesWhatItWouldDraw()
{
    QFETCH(Change, look);
    Page page;
    look(*page.label);
    const QImage drawn = page.OnScreen();
    const QImage grabbed = page.window.grab().toImage();
    page.label->Prepare();
    QVERIFY(page.label->IsPrepared());
    QCOMPARE(page.OnScreen(), drawn);
    QCOMPARE(page.window.grab().toImage(), grabbed);
}

void PreparedLabelTest::changedLabelDrawsItself_data()
{
    QTest::addColumn<Change>("change");
    QTest::newRow("text") << Change([](PreparedLabel& l) { l.setText(QStringLiteral("URL")); });
    QTest::newRow("font") << Change([](PreparedLabel& l) { l.setFont(ui::DialogFont(13, true)); });
    QTest::newRow("colour") << Change([](PreparedLabel& l) {
        QPalette palette = l.palette();
        palette.setColor(QPalette::WindowText, Qt::blue);
        l.setPalette(palette);
    });
    QTest::newRow("background") << Change([](PreparedLabel& l) {
        QPalette palette = l.window()->palette();
        palette.setColor(QPalette::Window, Qt::white);
        l.window()->setPalette(palette);
    });
    QTest::newRow("size") << Change([](PreparedLabel& l) { l.resize(60, 49); });
    QTest::newRow("alignment") << Change([](PreparedLabel& l) { l.setAlignment(Qt::AlignRight); });
    QTest::newRow("wrapping") << Change([](PreparedLabel& l) {
        l.resize(60, 49);
        l.Prepare();
        l.setWordWrap(true);
    });
    QTest::newRow("enabled") << Change([](PreparedLabel& l) { l.setEnabled(false); });
    QTest::newRow("sibling shown over it") << Change([](PreparedLabel& l) {
        auto* cover = new QFrame(l.parentWidget());
        cover->setFrameStyle(QFrame::Box);
        cover->setGeometry(l.geometry().adjusted(-4, -4, 0, 0));
        cover->stackUnder(&l);
        cover->show();
    });
}

// Whatever changed, the screen shows what the label draws now, not the picture.
void PreparedLabelTest::changedLabelDrawsItself()
{
    QFETCH(Change, change);
    Page page;
    page.label->Prepare();
    const QImage before = page.OnScreen();
    change(*page.label);
    QVERIFY(!page.label->IsPrepared());
    const QImage after = page.OnScreen();
    QVERIFY(after != before);
    page.label->update(); // a paint after the drop draws the same again
    QCOMPARE(page.OnScreen(), after);
}

void PreparedLabelTest::labelOffAPlainBackgroundDrawsItself_data()
{
    QTest::addColumn<Change>("place");
    QTest::newRow("over the frame's edge") << Change([](PreparedLabel& l) { l.move(-2, 32); });
    QTest::newRow("over an earlier sibling") << Change([](PreparedLabel& l) {
        auto* under = new QFrame(l.parentWidget());
        under->setGeometry(10, 30, 40, 40);
        under->stackUnder(&l);
        under->show();
    });
    QTest::newRow("own background")
        << Change([](PreparedLabel& l) { l.setAutoFillBackground(true); });
    QTest::newRow("pattern under it") << Change([](PreparedLabel& l) {
        QPalette palette = l.window()->palette();
        palette.setBrush(QPalette::Window, QBrush(Qt::gray, Qt::Dense4Pattern));
        l.window()->setPalette(palette);
    });
    QTest::newRow("rich text") << Change([](PreparedLabel& l) { l.setTextFormat(Qt::RichText); });
}

void PreparedLabelTest::labelOffAPlainBackgroundDrawsItself()
{
    QFETCH(Change, place);
    Page page;
    place(*page.label);
    const QImage drawn = page.OnScreen();
    page.label->Prepare();
    QVERIFY(!page.label->IsPrepared());
    QCOMPARE(page.OnScreen(), drawn);
}

QTEST_MAIN(PreparedLabelTest)

#include "prepared_label_test.moc"
