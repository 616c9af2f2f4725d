// The button on a screen of pixel ratio 2 (run with QT_SCALE_FACTOR=2 or
// QT_SCREEN_SCALE_FACTORS=2): what reaches the screen is the designed picture with every pixel a
// solid 2 × 2 block, not a smoothed enlargement, and the caption is drawn at the screen's
// resolution rather than enlarged from the designed size.
#include "look_helpers.h"

#include "widgets/xp_button.h"

#include <QApplication>
#include <QPixmap>
#include <QTest>

class XpButtonHiDpiTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void columnIsDesignedRowsDoubled_data();
    void columnIsDesignedRowsDoubled();
    void captionIsDrawnAtDeviceResolution();
};

namespace
{

constexpr int kScale = 2;

// The button as the screen shows it: its own paint into a pixmap of the screen's ratio.
QImage OnScreen(XpButton& button)
{
    return button.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

void XpButtonHiDpiTest::initTestCase()
{
    QWidget probe;
    QCOMPARE(probe.devicePixelRatioF(), qreal(kScale));
}

void XpButtonHiDpiTest::columnIsDesignedRowsDoubled_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("focused");
    QTest::addColumn<int>("column");
    // Columns left of the caption: outer frame, border, inner frame, white line, focus dots.
    for (int column = 0; column <= 3; ++column)
        QTest::addRow("enabled, column %d", column) << true << false << column;
    QTest::newRow("focused, the focus rectangle's column") << true << true << 4;
    QTest::newRow("focused, right edge of the focus rectangle") << true << true << 84;
    QTest::newRow("disabled, border column") << false << false << 1;
}

void XpButtonHiDpiTest::columnIsDesignedRowsDoubled()
{
    QFETCH(bool, enabled);
    QFETCH(bool, focused);
    QFETCH(int, column);
    QWidget window;
    window.resize(120, 40);
    XpButton button(&window);
    button.setGeometry(10, 5, 89, 25);
    button.setCaption(QStringLiteral("Preview"));
    button.setEnabled(enabled);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (focused) {
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        button.setFocus(Qt::OtherFocusReason);
        QVERIFY(button.drawsFocus());
    }
    const QImage designed = button.renderedImage();
    const QImage screen = OnScreen(button);
    QCOMPARE(screen.size(), designed.size() * kScale);
    for (int y = 0; y < designed.height(); ++y)
        for (int dy = 0; dy < kScale; ++dy)
            for (int dx = 0; dx < kScale; ++dx)
                QVERIFY2(At(screen, column * kScale + dx, y * kScale + dy) ==
                             At(designed, column, y),
                         qPrintable(QStringLiteral("designed row %1, device row %2")
                                        .arg(y)
                                        .arg(y * kScale + dy)));
}

void XpButtonHiDpiTest::captionIsDrawnAtDeviceResolution()
{
    XpButton button;
    button.resize(89, 25);
    button.setCaption(QStringLiteral("Generate Code"));
    const QImage designed = button.renderedImage();
    const QImage screen = OnScreen(button);
    QCOMPARE(screen.size(), designed.size() * kScale);
    // An enlarged caption would leave every 2 × 2 block of the caption's cell in one colour.
    int mixedBlocks = 0;
    for (int y = 6; y < 19; ++y)
        for (int x = 6; x < 83; ++x) {
            const Rgb first = At(screen, x * kScale, y * kScale);
            if (At(screen, x * kScale + 1, y * kScale) != first ||
                At(screen, x * kScale, y * kScale + 1) != first ||
                At(screen, x * kScale + 1, y * kScale + 1) != first)
                ++mixedBlocks;
        }
    QVERIFY2(mixedBlocks > 10, qPrintable(QString::number(mixedBlocks)));
    // The caption's ink is the text colour, unblended, as at the designed size.
    bool ink = false;
    for (int y = 0; y < screen.height() && !ink; ++y)
        for (int x = 0; x < screen.width() && !ink; ++x)
            ink = At(screen, x, y) == (button.captionColor().rgb() & 0xFFFFFF);
    QVERIFY(ink);
}

QTEST_MAIN(XpButtonHiDpiTest)

#include "xp_button_hidpi_test.moc"
