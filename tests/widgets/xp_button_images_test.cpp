#include "look_helpers.h"
#include "widgets/xp_button_images.h"
#include "widgets/xp_button_look.h"

#include <QApplication>
#include <QTest>

#include <functional>

using LookChange = std::function<void(XpButtonLook&)>;
Q_DECLARE_METATYPE(LookChange)

class XpButtonImagesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keptPictureIsTheFreshOne_data();
    void keptPictureIsTheFreshOne();
};

void XpButtonImagesTest::keptPictureIsTheFreshOne_data()
{
    QTest::addColumn<LookChange>("change");
    QTest::addColumn<int>("scale");
    const auto row = [](const char* name, LookChange change, int scale = 1) {
        QTest::newRow(name) << change << scale;
    };
    row("hovered", [](XpButtonLook& l) { l.hovered = true; });
    row("pressed", [](XpButtonLook& l) { l.pressed = l.hovered = true; });
    row("focused", [](XpButtonLook& l) { l.focused = true; });
    row("disabled", [](XpButtonLook& l) { l.enabled = false; });
    row("caption", [](XpButtonLook& l) { l.caption = QStringLiteral("&Close"); });
    row("font", [](XpButtonLook& l) { l.font = ui::DialogFont(13, true); });
    row("caption colour", [](XpButtonLook& l) { l.fontColor = Qt::red; });
    row("surface", [](XpButtonLook& l) { l.background = Qt::white; });
    row("size", [](XpButtonLook& l) { l.width = 120; });
    row(
        "same look, twice the scale", [](XpButtonLook&) {}, 2);
}

// Whatever changed, and after going back to where it was, the kept picture is the one a fresh
// paint gives.
void XpButtonImagesTest::keptPictureIsTheFreshOne()
{
    QFETCH(LookChange, change);
    QFETCH(int, scale);
    const XpButtonLook before = Look(QStringLiteral("Generate Code"));
    XpButtonLook after = before;
    change(after);
    XpButtonImages images;
    QCOMPARE(images.image(before, 1), PaintXpButton(before, 1));
    QCOMPARE(images.image(after, scale), PaintXpButton(after, scale));
    QCOMPARE(images.image(before, 1), PaintXpButton(before, 1));
    QCOMPARE(images.image(after, scale), PaintXpButton(after, scale));
}

QTEST_MAIN(XpButtonImagesTest)
#include "xp_button_images_test.moc"
