#include "look_helpers.h"
#include "widgets/xp_button.h"
#include "widgets/xp_button_look.h"
#include "widgets/xp_canvas.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QLineEdit>
#include <QStyleFactory>
#include <QTest>

#include <functional>

#include <vector>

namespace
{

// The rows of a 25-pixel face column: frame, border, highlight, inner frame, 17 face rows,
// inner frame, shadow line, border, white.
std::vector<Rgb> Column(const std::vector<Rgb>& face)
{
    std::vector<Rgb> rows{0xD6D3D3, 0x003C74, 0xCEE7FF, 0xBCD4F6};
    rows.insert(rows.end(), face.begin(), face.end());
    rows.insert(rows.end(), {0xBCD4F6, 0x6982EE, 0x003C74, 0xFFFFFF});
    return rows;
}

std::vector<Rgb> ColumnOf(const QImage& image, int x)
{
    std::vector<Rgb> rows;
    for (int y = 0; y < image.height(); ++y)
        rows.push_back(At(image, x, y));
    return rows;
}

// The caption's text cell for a look, as the painter places it.
QRect TextCell(const XpButtonLook& look, const QString& text)
{
    const QSize extent = XpCanvas::textExtent(text, look.font);
    return {(look.width - extent.width()) / 2, (look.height - extent.height()) / 2, extent.width(),
            extent.height()};
}

} // namespace

class XpButtonLookTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }
    void grabbedButtonShowsTheNormalFace();
    void hoverAddsTheOrangeRing();
    void pressedUnderThePointerReversesTheFace();
    void pressedShiftsTheCaption();
    void disabledLookIsFlatWhateverTheState();
    void focusInvertsADottedRectangle();
    void underlineMarksTheAccelerator_data();
    void underlineMarksTheAccelerator();
    void outerCornersShowTheSurface();
    void tallButtonPassesTheStepCountModulo256();
    void tallPressedButtonPassesTheStepCountModulo256();
    void tinyButtonsStayInsideTheirImage();
    void paintFollowsEveryChange_data();
    void paintFollowsEveryChange();
};

void XpButtonLookTest::grabbedButtonShowsTheNormalFace()
{
    QCursor::setPos(QPoint(2000, 2000));
    QWidget window;
    window.resize(200, 80);
    QLineEdit edit(&window); // takes the focus, so no focus rectangle
    XpButton button(&window);
    button.setGeometry(20, 20, 89, 25);
    button.setCaption(QStringLiteral("Generate Code"));
    button.setCaptionFont(ui::DialogFont(11));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!button.isHovered() && !button.isPressed() && !button.drawsFocus());

    const QImage image = button.grab().toImage();
    QCOMPARE(image.size(), QSize(89, 25));
    const std::vector<Rgb> face{0xFDFDFD, 0xFDFDFD, 0xF6F6F9, 0xF6F6F9, 0xEFEFF4, 0xEFEFF4,
                                0xE8E8F0, 0xE8E8F0, 0xE2E1EC, 0xE2E1EC, 0xDBDAE8, 0xDBDAE8,
                                0xD4D3E3, 0xD4D3E3, 0xCDCCDF, 0xCDCCDF, 0xCDCCDF};
    QCOMPARE(ColumnOf(image, 6), Column(face));
    // The white edges on the left of the face and down the right of the frame.
    QCOMPARE(At(image, 3, 10), Rgb(0xFFFFFF));
    QCOMPARE(At(image, 85, 10), Rgb(0xFFFFFF));
    QCOMPARE(At(image, 88, 10), Rgb(0xFFFFFF));
    QCOMPARE(At(image, 88, 2), Rgb(0xD6D3D3));
}

void XpButtonLookTest::hoverAddsTheOrangeRing()
{
    XpButtonLook look = Look(QString());
    const QImage plain = PaintXpButton(look);
    look.hovered = true;
    const QImage hovered = PaintXpButton(look);
    for (int x = 3; x <= 85; ++x) {
        QCOMPARE(At(hovered, x, 3), Rgb(0xF8B330));
        QCOMPARE(At(hovered, x, 21), Rgb(0xF8B330));
    }
    for (int y = 3; y <= 21; ++y) {
        QCOMPARE(At(hovered, 3, y), Rgb(0xF8B330));
        QCOMPARE(At(hovered, 85, y), Rgb(0xF8B330));
    }
    // Inside the ring the face is unchanged.
    QCOMPARE(hovered.copy(4, 4, 81, 17), plain.copy(4, 4, 81, 17));
}

void XpButtonLookTest::pressedUnderThePointerReversesTheFace()
{
    XpButtonLook look = Look(QStringLiteral("OK"));
    look.pressed = true;
    look.hovered = true;
    const QImage image = PaintXpButton(look);
    const std::vector<Rgb> face{0xCDCCDF, 0xD1D0E2, 0xD6D5E4, 0xDAD9E7, 0xDEDEEA, 0xE3E2ED,
                                0xE7E7EF, 0xECEBF2, 0xF0F0F5, 0xF4F4F8, 0xF9F9FA, 0xFDFDFD,
                                0xFDFDFD, 0xFDFDFD, 0xFDFDFD, 0xFDFDFD, 0xFDFDFD};
    std::vector<Rgb> expected = Column(face);
    expected[3] = expected[21] = 0xF8B330;
    QCOMPARE(ColumnOf(image, 6), expected);

    // Pressed with the pointer elsewhere keeps the normal face.
    look.hovered = false;
    QCOMPARE(At(PaintXpButton(look), 6, 4), Rgb(0xFDFDFD));
}

void XpButtonLookTest::pressedShiftsTheCaption()
{
    XpButtonLook look = Look(QStringLiteral("Preview"));
    const QImage released = PaintXpButton(look);
    look.pressed = true;
    const QImage pressed = PaintXpButton(look);
    int glyphPixels = 0;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 88; ++x) {
            const bool ink = At(released, x, y) == 0x000000;
            glyphPixels += ink ? 1 : 0;
            QCOMPARE(At(pressed, x + 1, y + 1) == 0x000000, ink);
        }
    }
    QVERIFY(glyphPixels > 20);
}

void XpButtonLookTest::disabledLookIsFlatWhateverTheState()
{
    XpButtonLook look = Look(QStringLiteral("IIII"));
    look.enabled = false;
    const QImage image = PaintXpButton(look);
    for (const QPoint& corner : {QPoint(0, 0), QPoint(88, 0), QPoint(88, 24), QPoint(0, 24)})
        QCOMPARE(At(image, corner.x(), corner.y()), Rgb(0xECE9D8));
    QCOMPARE(At(image, 6, 0), Rgb(0xD6D3D3));
    QCOMPARE(At(image, 0, 6), Rgb(0xD6D3D3));
    QCOMPARE(At(image, 6, 1), Rgb(0xC4C3BF));
    QCOMPARE(At(image, 87, 12), Rgb(0xC4C3BF));
    QCOMPARE(At(image, 6, 12), Rgb(0xF1F1ED));
    QCOMPARE(At(image, 6, 2), Rgb(0xF1F1ED));
    bool greyText = false;
    for (int x = 0; x < image.width(); ++x)
        greyText = greyText || At(image, x, 12) == 0xA1A192;
    QVERIFY(greyText);

    look.hovered = look.pressed = look.focused = true;
    QCOMPARE(PaintXpButton(look), image);
}

void XpButtonLookTest::focusInvertsADottedRectangle()
{
    XpButtonLook look = Look(QStringLiteral("OK"));
    const QImage plain = PaintXpButton(look);
    look.focused = true;
    const QImage focused = PaintXpButton(look);
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < 89; ++x) {
            const bool edge =
                (x == 4 || x == 84 || y == 4 || y == 20) && x >= 4 && x <= 84 && y >= 4 && y <= 20;
            const Rgb expected =
                edge && (x + y) % 2 == 1 ? At(plain, x, y) ^ 0xFFFFFF : At(plain, x, y);
            QCOMPARE(At(focused, x, y), expected);
        }
    }
}

void XpButtonLookTest::underlineMarksTheAccelerator_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("through");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("pressed");
    QTest::newRow("Save &File") << "Save &File"
                                << "Save "
                                << "Save F" << true << false;
    QTest::newRow("pressed") << "Save &File"
                             << "Save "
                             << "Save F" << true << true;
    QTest::newRow("disabled, pressed") << "Save &File"
                                       << "Save "
                                       << "Save F" << false << true;
    QTest::newRow("A&&B") << "A&&B"
                          << "A"
                          << "A&" << true << false;
    QTest::newRow("&A&B") << "&A&B"
                          << ""
                          << "A" << true << false;
}

void XpButtonLookTest::underlineMarksTheAccelerator()
{
    QFETCH(QString, caption);
    QFETCH(QString, before);
    QFETCH(QString, through);
    QFETCH(bool, enabled);
    QFETCH(bool, pressed);
    XpButtonLook look = Look(caption);
    look.enabled = enabled;
    look.pressed = pressed;
    look.fontColor = QColor(0x2040C0);
    const QImage image = PaintXpButton(look);
    QString text = caption;
    text.remove(text.indexOf(QLatin1Char('&')), 1);
    const int shift = enabled && pressed ? 1 : 0;
    const QRect cell = TextCell(look, text).translated(shift, shift);
    const int from = cell.x() + XpCanvas::textExtent(before, look.font).width();
    const int to = cell.x() + XpCanvas::textExtent(through, look.font).width();
    const int row = cell.y() + cell.height();
    const Rgb colour = enabled ? 0x2040C0 : 0xA1A192;
    QVERIFY(to > from);
    for (int x = from; x < to; ++x)
        QCOMPARE(At(image, x, row), colour);
    QVERIFY(At(image, from - 1, row) != colour);
    QVERIFY(At(image, to, row) != colour);
    if (enabled && !pressed)
        QCOMPARE(row, (25 - cell.height()) / 2 + cell.height());
}

void XpButtonLookTest::outerCornersShowTheSurface()
{
    const QImage image = PaintXpButton(Look(QString()));
    QCOMPARE(At(image, 0, 0), Rgb(0x405060));
    QCOMPARE(At(image, 88, 24), Rgb(0x405060));
    QCOMPARE(At(image, 1, 0), Rgb(0xD6D3D3));
    // The blue border's rounded corner leaves the frame's fill showing.
    QCOMPARE(At(image, 1, 1), Rgb(0xD6D3D3));
    QCOMPARE(At(image, 2, 1), Rgb(0x003C74));
}

// 800 / 3 = 266 steps, passed as 10: bands of 79 rows over the 792-row face.
void XpButtonLookTest::tallButtonPassesTheStepCountModulo256()
{
    const QImage image = PaintXpButton(Look(QString(), 89, 800));
    QCOMPARE(At(image, 6, 4), Rgb(0xFDFDFD));
    QCOMPARE(At(image, 6, 4 + 78), Rgb(0xFDFDFD));
    QVERIFY(At(image, 6, 4 + 79) != 0xFDFDFD);
    QCOMPARE(At(image, 6, 795), Rgb(0xCDCCDF));
}

// Pressed under the pointer: 514 / 2 = 257 steps arrive as 1, which fills the whole face with
// the first colour although the reversed face starts from the second; 516 / 2 = 258 arrive
// as 2, two bands of 254 rows.
void XpButtonLookTest::tallPressedButtonPassesTheStepCountModulo256()
{
    XpButtonLook look = Look(QString(), 89, 514);
    look.pressed = look.hovered = true;
    const QImage one = PaintXpButton(look);
    QCOMPARE(At(one, 6, 4), Rgb(0xFDFDFD));
    QCOMPARE(At(one, 6, 509), Rgb(0xFDFDFD));
    look.height = 516;
    const QImage two = PaintXpButton(look);
    QCOMPARE(At(two, 6, 4), Rgb(0xCDCCDF));
    QCOMPARE(At(two, 6, 257), Rgb(0xCDCCDF));
    QCOMPARE(At(two, 6, 258), Rgb(0xFDFDFD));
    QCOMPARE(At(two, 6, 511), Rgb(0xFDFDFD));
}

// Frames turn inside out on buttons narrower than their insets; every look must still draw
// within its own pixels.
void XpButtonLookTest::tinyButtonsStayInsideTheirImage()
{
    QVERIFY(PaintXpButton(Look(QStringLiteral("OK"), 0, 25)).isNull());
    QVERIFY(PaintXpButton(Look(QStringLiteral("OK"), 89, 0)).isNull());
    for (int width = 1; width <= 10; ++width) {
        for (int height = 1; height <= 10; ++height) {
            XpButtonLook look = Look(QStringLiteral("Save &File"), width, height);
            for (int state = 0; state < 16; ++state) {
                look.enabled = (state & 1) != 0;
                look.hovered = (state & 2) != 0;
                look.pressed = (state & 4) != 0;
                look.focused = (state & 8) != 0;
                QCOMPARE(PaintXpButton(look).size(), QSize(width, height));
            }
        }
    }
}

QTEST_MAIN(XpButtonLookTest)
#include "xp_button_look_test.moc"

void XpButtonLookTest::paintFollowsEveryChange_data()
{
    QTest::addColumn<std::function<void(XpButton&)>>("change");
    using Change = std::function<void(XpButton&)>;
    QTest::newRow("caption") << Change([](XpButton& b) { b.setCaption(QStringLiteral("OK")); });
    QTest::newRow("focus") << Change([](XpButton& b) { b.setFocus(Qt::TabFocusReason); });
    QTest::newRow("hover") << Change([](XpButton& b) { QTest::mouseMove(&b, QPoint(10, 10)); });
    QTest::newRow("surface") << Change([](XpButton& b) {
        QPalette palette = b.palette();
        palette.setColor(QPalette::Window, Qt::darkGreen);
        b.setPalette(palette);
    });
}

// A button paints again only what changed, and never the look it had before a change.
void XpButtonLookTest::paintFollowsEveryChange()
{
    QFETCH(std::function<void(XpButton&)>, change);
    QCursor::setPos(QPoint(2000, 2000));
    QWidget window;
    window.resize(200, 80);
    QLineEdit edit(&window); // takes the focus, so the button can take it from there
    XpButton button(&window);
    button.setGeometry(20, 20, 89, 25);
    button.setCaption(QStringLiteral("Generate Code"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const QImage before = button.grab().toImage();
    QCOMPARE(button.grab().toImage(), before);
    change(button);
    const QImage after = button.grab().toImage();
    QVERIFY(after != before);
    QCOMPARE(after.convertToFormat(QImage::Format_RGB32), button.renderedImage());
}
