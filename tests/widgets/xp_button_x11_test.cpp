// A key held on a real X server: the server's own auto-repeat, the toolkit's reading of it and
// the button together must give one click, at the release. Runs key_repeat_probe on a virtual
// display of its own and holds the key with xdotool.
#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace
{

constexpr int kDeadlineMs = 20000;

// Stops the process it holds when it goes, so nothing outlives a failed check.
struct Child {
    ~Child()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(kDeadlineMs);
        }
    }
    QProcess process;
};

// Reads whole lines until `done` holds for the lines read so far or the deadline passes.
template <typename Done> bool ReadUntil(QProcess& process, QStringList& lines, Done done)
{
    const QDeadlineTimer deadline(kDeadlineMs);
    while (!done(lines)) {
        if (deadline.hasExpired() || process.state() == QProcess::NotRunning)
            return false;
        if (!process.canReadLine() && !process.waitForReadyRead(int(deadline.remainingTime())))
            continue;
        while (process.canReadLine())
            lines << QString::fromLatin1(process.readLine()).trimmed();
    }
    return true;
}

} // namespace

class XpButtonX11Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void heldKeyClicksOnceAtRelease_data();
    void heldKeyClicksOnceAtRelease();

private:
    bool Xdotool(const QStringList& arguments);
    QProcessEnvironment environment_;
};

bool XpButtonX11Test::Xdotool(const QStringList& arguments)
{
    QProcess xdotool;
    xdotool.setProcessEnvironment(environment_);
    xdotool.start(QStringLiteral("xdotool"), arguments);
    return xdotool.waitForFinished(kDeadlineMs) && xdotool.exitCode() == 0;
}

void XpButtonX11Test::heldKeyClicksOnceAtRelease_data()
{
    QTest::addColumn<QString>("key");
    QTest::newRow("space") << QStringLiteral("space");
    QTest::newRow("enter") << QStringLiteral("Return");
}

void XpButtonX11Test::heldKeyClicksOnceAtRelease()
{
    QFETCH(QString, key);
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("Needs Xvfb and xdotool");
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());

    // Xvfb picks a free display itself and names it on the given descriptor, its output here.
    Child server;
    server.process.start(QStringLiteral("Xvfb"),
                         {QStringLiteral("-displayfd"), QStringLiteral("1"),
                          QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QStringList serverLines;
    QVERIFY(
        ReadUntil(server.process, serverLines, [](const QStringList& l) { return !l.isEmpty(); }));
    environment_ = QProcessEnvironment::systemEnvironment();
    environment_.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + serverLines.first());
    environment_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), scratch.path());
    // The X keyboard library hands strndup replies that are not terminated, which a sanitizer
    // build's strict string checks report before the probe gets going.
    const QString asan = QStringLiteral("ASAN_OPTIONS");
    if (environment_.contains(asan))
        environment_.insert(asan, environment_.value(asan) + ":strict_string_checks=0");

    Child probe;
    probe.process.setProcessEnvironment(environment_);
    probe.process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    probe.process.start(QStringLiteral(KEY_REPEAT_PROBE), QStringList());
    QStringList lines;
    QVERIFY(
        ReadUntil(probe.process, lines, [](const QStringList& l) { return l.contains("ready"); }));
    lines.clear();

    QVERIFY(Xdotool({QStringLiteral("keydown"), key}));
    // A few presses mean the server is repeating the held key.
    const bool repeated = ReadUntil(probe.process, lines, [](const QStringList& l) {
        return l.count(QStringLiteral("press")) >= 4;
    });
    QVERIFY(Xdotool({QStringLiteral("keyup"), key}));
    QVERIFY(repeated);
    QCOMPARE(lines.count(QStringLiteral("click")), 0);
    // Shift pressed and released after the key comes behind all of the key's own events, and
    // clicks nothing itself.
    QVERIFY(Xdotool({QStringLiteral("key"), QStringLiteral("shift")}));
    QVERIFY(ReadUntil(probe.process, lines, [](const QStringList& l) {
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
