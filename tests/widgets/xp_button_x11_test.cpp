// A key held on a real X server: the server's own auto-repeat, the toolkit's reading of it and
// the button together must give one click, at the release. Runs key_repeat_probe on a virtual
// display of its own and holds the key with xdotool.
#include <QTemporaryDir>
#include <QTest>

#include "tests/support/virtual_display.h"

class XpButtonX11Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void heldKeyClicksOnceAtRelease_data();
    void heldKeyClicksOnceAtRelease();
};

void XpButtonX11Test::heldKeyClicksOnceAtRelease_data()
{
    QTest::addColumn<QString>("key");
    QTest::newRow("space") << QStringLiteral("space");
    QTest::newRow("enter") << QStringLiteral("Return");
}

void XpButtonX11Test::heldKeyClicksOnceAtRelease()
{
    QFETCH(QString, key);
    if (!VirtualDisplay::Available())
        QSKIP("Needs Xvfb and xdotool");
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    VirtualDisplay display;
    QVERIFY(display.Start(scratch.path()));
    QProcess& probe = display.Launch(QStringLiteral(KEY_REPEAT_PROBE));
    const auto ReadUntil = [&probe](QStringList& lines, auto done) {
        return VirtualDisplay::ReadUntil(probe, lines, done);
    };
    const auto Xdotool = [&display](const QStringList& arguments) {
        return display.Xdotool(arguments);
    };
    QStringList lines;
    QVERIFY(ReadUntil(lines, [](const QStringList& l) { return l.contains("ready"); }));
    lines.clear();

    QVERIFY(Xdotool({QStringLiteral("keydown"), key}));
    // A few presses mean the server is repeating the held key.
    const bool repeated = ReadUntil(
        lines, [](const QStringList& l) { return l.count(QStringLiteral("press")) >= 4; });
    QVERIFY(Xdotool({QStringLiteral("keyup"), key}));
    QVERIFY(repeated);
    QCOMPARE(lines.count(QStringLiteral("click")), 0);
    // Shift pressed and released after the key comes behind all of the key's own events, and
    // clicks nothing itself.
    QVERIFY(Xdotool({QStringLiteral("key"), QStringLiteral("shift")}));
    QVERIFY(ReadUntil(lines, [](const QStringList& l) {
        const qsizetype click = l.indexOf(QStringLiteral("click"));
        return click >= 0 && l.indexOf(QStringLiteral("release"), click) >= 0;
    }));
    QCOMPARE(lines.count(QStringLiteral("click")), 1);
    // The click follows the key's last release, not one of its repeats.
    const QStringList tail = {QStringLiteral("press"), QStringLiteral("release"),
                              QStringLiteral("click"), QStringLiteral("press"),
                              QStringLiteral("release")};
    QCOMPARE(lines.mid(lines.size() - tail.size()), tail);
}

QTEST_GUILESS_MAIN(XpButtonX11Test)
#include "xp_button_x11_test.moc"
