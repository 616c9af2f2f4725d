// The page keys on a real X server: the keyboard's own translation of Shift+Tab (a key of its
// own there) must reach the page shortcuts as one unambiguous key. Runs page_keys_probe on a
// virtual display of its own and types with xdotool.
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

// Reads whole lines until one equals `line` or the deadline passes.
bool ReadUntil(QProcess& process, QStringList& lines, const QString& line)
{
    const QDeadlineTimer deadline(kDeadlineMs);
    while (!lines.contains(line)) {
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

class PageKeysX11Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keysStepThroughPages_data();
    void keysStepThroughPages();

private:
    bool StartDisplay(Child& server, const QString& runtime);
    bool Xdotool(const QStringList& arguments);
    QProcessEnvironment environment_;
};

bool PageKeysX11Test::Xdotool(const QStringList& arguments)
{
    QProcess xdotool;
    xdotool.setProcessEnvironment(environment_);
    xdotool.start(QStringLiteral("xdotool"), arguments);
    return xdotool.waitForFinished(kDeadlineMs) && xdotool.exitCode() == 0;
}

bool PageKeysX11Test::StartDisplay(Child& server, const QString& runtime)
{
    // Xvfb picks a free display itself and names it on the given descriptor, its output here.
    server.process.start(QStringLiteral("Xvfb"),
                         {QStringLiteral("-displayfd"), QStringLiteral("1"),
                          QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    const QDeadlineTimer deadline(kDeadlineMs);
    while (!server.process.canReadLine())
        if (deadline.hasExpired() || !server.process.waitForReadyRead(kDeadlineMs))
            return false;
    const QString display = QString::fromLatin1(server.process.readLine()).trimmed();
    environment_ = QProcessEnvironment::systemEnvironment();
    environment_.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + display);
    environment_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment_.insert(QStringLiteral("XDG_CONFIG_HOME"), runtime);
    // The X keyboard library hands strndup replies that are not terminated, which a sanitizer
    // build's strict string checks report before the probe gets going.
    const QString asan = QStringLiteral("ASAN_OPTIONS");
    if (environment_.contains(asan))
        environment_.insert(asan, environment_.value(asan) + ":strict_string_checks=0");
    return true;
}

// Each row starts with page 1 shown and expects the page after each key.
void PageKeysX11Test::keysStepThroughPages_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QList<int>>("pages");
    QTest::newRow("ctrl+shift+tab")
        << QStringList({"ctrl+shift+Tab", "ctrl+shift+Tab"}) << QList<int>({10, 9});
    QTest::newRow("ctrl+tab") << QStringList({"ctrl+Tab", "ctrl+Tab"}) << QList<int>({2, 3});
    QTest::newRow("back and forth")
        << QStringList({"ctrl+Page_Down", "ctrl+shift+Tab", "ctrl+Page_Up", "ctrl+Tab"})
        << QList<int>({2, 1, 10, 1});
    QTest::newRow("alt+digit") << QStringList({"alt+3", "ctrl+shift+Tab"}) << QList<int>({3, 2});
}

void PageKeysX11Test::keysStepThroughPages()
{
    QFETCH(QStringList, keys);
    QFETCH(QList<int>, pages);
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("Needs Xvfb and xdotool");
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    Child server;
    QVERIFY(StartDisplay(server, scratch.path()));

    Child probe;
    probe.process.setProcessEnvironment(environment_);
    probe.process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    probe.process.start(QStringLiteral(PAGE_KEYS_PROBE), QStringList());
    QStringList lines;
    QVERIFY(ReadUntil(probe.process, lines, QStringLiteral("ready")));
    QVERIFY(ReadUntil(probe.process, lines, QStringLiteral("page 1")));
    lines.clear();
    for (qsizetype i = 0; i < keys.size(); ++i) {
        QVERIFY(Xdotool({QStringLiteral("key"), keys[i]}));
        const QString expected = QStringLiteral("page %1").arg(pages[i]);
        QVERIFY2(ReadUntil(probe.process, lines, expected),
                 qPrintable(keys[i] + QStringLiteral(" gave: ") + lines.join(QLatin1Char(','))));
        lines.clear();
    }
}

QTEST_GUILESS_MAIN(PageKeysX11Test)
#include "page_keys_x11_test.moc"
