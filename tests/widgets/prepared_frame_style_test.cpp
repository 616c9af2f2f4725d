// Line edits whose box is copied look exactly like those the style draws, in every look, and the
// kept boxes stay few.
#include <QFrame>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <functional>

#include "widgets/prepared_frame_style.h"
#include "widgets/ui_fonts.h"

namespace
{

using Change = std::function<void(QLineEdit&)>;

// A window filled with a plain colour, holding a raised frame that holds the line edit, as the
// main window holds its pages.
struct Page {
    Page()
    {
        window.setFixedSize(300, 200);
        window.setAutoFillBackground(true);
        window.setFont(ui::DialogFont(11));
        frame->setGeometry(10, 10, 280, 180);
        frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
        edit->setText(QStringLiteral("http://www.example.com"));
        edit->setGeometry(112, 108, 141, 21);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qWarning("window not exposed");
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
    QLineEdit* edit = new QLineEdit(frame);
};

} // namespace

class PreparedFrameStyleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void copiesWhatTheStyleDraws_data();
    void copiesWhatTheStyleDraws();
    void copiesFrameEdges_data();
    void copiesFrameEdges();
    void keepsFewBoxes();
};

void PreparedFrameStyleTest::copiesWhatTheStyleDraws_data()
{
    QTest::addColumn<Change>("look");
    QTest::addColumn<bool>("copied");
    QTest::newRow("plain") << Change([](QLineEdit&) {}) << true;
    QTest::newRow("focused") << Change([](QLineEdit& e) { e.setFocus(Qt::TabFocusReason); })
                             << true;
    QTest::newRow("disabled") << Change([](QLineEdit& e) { e.setEnabled(false); }) << true;
    QTest::newRow("read-only") << Change([](QLineEdit& e) { e.setReadOnly(true); }) << true;
    QTest::newRow("other base colour") << Change([](QLineEdit& e) {
        QPalette palette = e.palette();
        palette.setColor(QPalette::Base, Qt::yellow);
        e.setPalette(palette);
    }) << true;
    QTest::newRow("over the frame's edge")
        << Change([](QLineEdit& e) { e.move(-4, 108); }) << false;
    QTest::newRow("pattern under it") << Change([](QLineEdit& e) {
        QPalette palette = e.window()->palette();
        palette.setBrush(QPalette::Window, QBrush(Qt::gray, Qt::Dense4Pattern));
        e.window()->setPalette(palette);
    }) << false;
}

// Byte for byte on screen: drawn by the style, then by the copying style twice (drawn and kept,
// then copied).
void PreparedFrameStyleTest::copiesWhatTheStyleDraws()
{
    QFETCH(Change, look);
    QFETCH(bool, copied);
    Page page;
    look(*page.edit);
    const QImage drawn = page.OnScreen();
    PreparedFrameStyle& style = PreparedFrameStyle::Instance();
    page.edit->setStyle(&style);
    const int kept = style.KeptCount();
    QCOMPARE(page.OnScreen(), drawn);
    QCOMPARE(page.OnScreen(), drawn);
    // A box off a plain background is never kept; another may have drawn this one already.
    if (copied)
        QVERIFY(style.KeptCount() > 0);
    else
        QCOMPARE(style.KeptCount(), kept);
}

void PreparedFrameStyleTest::copiesFrameEdges_data()
{
    QTest::addColumn<int>("shape");
    QTest::newRow("raised panel") << int(QFrame::Panel | QFrame::Raised);
    QTest::newRow("sunken panel") << int(QFrame::Panel | QFrame::Sunken);
    QTest::newRow("thick box") << int(QFrame::Box | QFrame::Plain);
    QTest::newRow("styled panel") << int(QFrame::StyledPanel | QFrame::Sunken);
}

// The edge of the frame that holds the line edit, byte for byte as the style draws it.
void PreparedFrameStyleTest::copiesFrameEdges()
{
    QFETCH(int, shape);
    Page page;
    page.frame->setFrameStyle(shape);
    page.frame->setLineWidth(3);
    const QImage drawn = page.OnScreen();
    PreparedFrameStyle& style = PreparedFrameStyle::Instance();
    page.frame->setStyle(&style);
    QCOMPARE(page.OnScreen(), drawn);
    QCOMPARE(page.OnScreen(), drawn);
    QVERIFY(style.KeptCount() > 0);
}

void PreparedFrameStyleTest::keepsFewBoxes()
{
    Page page;
    page.edit->setStyle(&PreparedFrameStyle::Instance());
    for (int width = 20; width < 220; ++width) {
        page.edit->resize(width, 21);
        page.OnScreen();
    }
    QVERIFY(PreparedFrameStyle::Instance().KeptCount() <= 64);
    QVERIFY(PreparedFrameStyle::Instance().KeptCount() > 0);
}

QTEST_MAIN(PreparedFrameStyleTest)

#include "prepared_frame_style_test.moc"
