#include "look_helpers.h"

#include "widgets/xp_canvas.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTest>

// Single pixels of the frame and the caption's place, each worked out from the drawing rules
// rather than read off a rendered button.
class XpButtonPixelsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void framePixels_data();
    void framePixels();
    void captionSitsInItsTextCell();
    void captionIsClippedButNotItsUnderline();
};

// Worked out by hand for an 89 × 25 button on a #405060 surface: where each shape starts and
// stops, which corners a rounded outline leaves out, and which shape is drawn over which.
void XpButtonPixelsTest::framePixels_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("rgb");
    const struct {
        const char* name;
        bool enabled;
        QPoint at;
        int rgb;
    } rows[] = {
        {"outer corner left open", true, {0, 0}, 0x405060},
        {"outer corner bottom right open", true, {88, 24}, 0x405060},
        {"outer frame beside the corner", true, {1, 0}, 0xD6D3D3},
        {"outer frame down the left", true, {0, 12}, 0xD6D3D3},
        {"border corner left out", true, {87, 1}, 0xD6D3D3},
        {"border corner bottom left out", true, {1, 23}, 0xD6D3D3},
        {"border top", true, {86, 1}, 0x003C74},
        {"border bottom", true, {2, 23}, 0x003C74},
        {"border right", true, {87, 12}, 0x003C74},
        {"highlight starts at 3", true, {3, 2}, 0xCEE7FF},
        {"highlight ends at W-4", true, {85, 2}, 0xCEE7FF},
        {"highlight not before 3", true, {2, 2}, 0xD6D3D3},
        {"highlight not at W-3", true, {86, 2}, 0xD6D3D3},
        {"shadow line starts at 3", true, {3, 22}, 0x6982EE},
        {"shadow line ends at W-4", true, {85, 22}, 0x6982EE},
        {"shadow line not at W-3", true, {86, 22}, 0xD6D3D3},
        {"inner frame top left", true, {2, 3}, 0xBCD4F6},
        {"inner frame top right", true, {86, 3}, 0xBCD4F6},
        {"inner frame bottom left", true, {2, 21}, 0xBCD4F6},
        {"inner frame above the left white line", true, {3, 3}, 0xBCD4F6},
        {"inner frame below the left white line", true, {3, 21}, 0xBCD4F6},
        {"inner frame below the right white line", true, {85, 21}, 0xBCD4F6},
        {"left white line", true, {3, 4}, 0xFFFFFF},
        {"left white line ends at H-5", true, {3, 20}, 0xFFFFFF},
        {"right white line", true, {85, 20}, 0xFFFFFF},
        {"bottom white line starts at 3", true, {3, 24}, 0xFFFFFF},
        {"bottom white line ends at W-4", true, {85, 24}, 0xFFFFFF},
        {"bottom white line not at W-3", true, {86, 24}, 0xD6D3D3},
        {"outer white line from H-4", true, {88, 21}, 0xFFFFFF},
        {"outer white line up to 3", true, {88, 3}, 0xFFFFFF},
        {"outer white line leaves row 2", true, {88, 2}, 0xD6D3D3},
        {"outer white line not below H-4", true, {88, 22}, 0xD6D3D3},
        {"face top left", true, {4, 4}, 0xFDFDFD},
        {"face bottom right", true, {84, 20}, 0xCDCCDF},
        {"disabled corner", false, {0, 0}, 0xECE9D8},
        {"disabled corner bottom right", false, {88, 24}, 0xECE9D8},
        {"disabled outer frame", false, {1, 0}, 0xD6D3D3},
        {"disabled fill inside the border corner", false, {1, 1}, 0xF1F1ED},
        {"disabled fill inside the bottom right corner", false, {87, 23}, 0xF1F1ED},
        {"disabled border", false, {2, 1}, 0xC4C3BF},
        {"disabled border right", false, {87, 22}, 0xC4C3BF},
        {"disabled fill", false, {44, 12}, 0xF1F1ED},
        {"disabled fill right edge", false, {86, 12}, 0xF1F1ED},
    };
    for (const auto& row : rows)
        QTest::newRow(row.name) << row.enabled << row.at << row.rgb;
}

void XpButtonPixelsTest::framePixels()
{
    QFETCH(bool, enabled);
    QFETCH(QPoint, at);
    QFETCH(int, rgb);
    XpButtonLook look = Look(QString());
    look.enabled = enabled;
    QCOMPARE(At(PaintXpButton(look), at.x(), at.y()), Rgb(rgb));
}

// On a 25-pixel button the cell of an 11-pixel caption starts on row 6; the glyphs stand on
// the baseline one ascent below the cell's top, and the underline takes the row below the cell.
void XpButtonPixelsTest::captionSitsInItsTextCell()
{
    XpButtonLook look = Look(QStringLiteral("&Generate Code"));
    look.fontColor = QColor(0x2040C0);
    const QImage image = PaintXpButton(look);
    const int height = XpCanvas::textExtent(QStringLiteral("Generate Code"), look.font).height();
    QCOMPARE((25 - height) / 2, 6);
    int top = 25;
    int bottom = -1;
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < 89; ++x) {
            if (At(image, x, y) != 0x2040C0 || y == 6 + height)
                continue;
            top = qMin(top, y);
            bottom = qMax(bottom, y);
        }
    }
    QVERIFY(top >= 6);
    QCOMPARE(bottom, 6 + QFontMetrics(look.font).ascent() - 1);
    bool underline = false;
    for (int x = 0; x < 89; ++x)
        underline = underline || At(image, x, 6 + height) == 0x2040C0;
    QVERIFY(underline);
}

// A caption wider than the button starts left of it; its glyphs stay inside (4, 4) to
// (W - 4, H - 4) while the underline runs out over the frame.
void XpButtonPixelsTest::captionIsClippedButNotItsUnderline()
{
    XpButtonLook look = Look(QStringLiteral("WWW&WWWWWWW"), 40, 25);
    look.fontColor = QColor(0x2040C0);
    const QImage image = PaintXpButton(look);
    const QString text = QStringLiteral("WWWWWWWWWW");
    const QSize extent = XpCanvas::textExtent(text, look.font);
    const int left = (40 - extent.width()) / 2;
    const int row = (25 - extent.height()) / 2 + extent.height();
    const int from = left + XpCanvas::textExtent(QStringLiteral("WWW"), look.font).width();
    const int to = left + XpCanvas::textExtent(QStringLiteral("WWWW"), look.font).width();
    QVERIFY(left < 0 && from < 4 && to > 0);
    int inside = 0;
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool ink = At(image, x, y) == 0x2040C0;
            const bool clipped = x >= 4 && x < 36 && y >= 4 && y < 21;
            const bool underline = y == row && x >= from && x < to;
            QCOMPARE(ink, ink && (clipped || underline));
            QCOMPARE(underline ? ink : true, true);
            inside += ink && clipped && !underline ? 1 : 0;
        }
    }
    QVERIFY(inside > 20);
}

QTEST_MAIN(XpButtonPixelsTest)
#include "xp_button_pixels_test.moc"
