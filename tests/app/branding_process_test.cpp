// Starts real copies of the program, branded with sitewright-brand, and reads what their main
// window shows through the program's branding dump (SITEWRIGHT_DUMP_BRANDING=1).
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <string>

#include "tests/support/temp_dir.h"

namespace
{

// Long enough for a loaded machine; a program that hangs fails the test instead of blocking it.
constexpr int kDeadlineMs = 60000;

struct Run {
    bool finished = false;
    int exitCode = -1;
    QStringList lines;
    QByteArray errors;
};

Run RunProgram(const QString& program, const QStringList& arguments,
               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Run run;
    run.finished = process.waitForFinished(kDeadlineMs);
    if (!run.finished) {
        process.kill();
        process.waitForFinished(kDeadlineMs);
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.lines = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'));
    run.lines.removeAll(QString());
    run.errors = process.readAllStandardError();
    return run;
}

// The window as the program at `program` shows it once started, one "name=[value]" line each.
Run DumpBranding(const QString& program)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("SITEWRIGHT_DUMP_BRANDING"), QStringLiteral("1"));
    // The program keeps its per-user files (the running copies' slots) here, not the user's.
    const QTemporaryDir runtime;
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    return RunProgram(program, {}, environment);
}

QString Line(const char* name, const QString& value)
{
    return QString::fromLatin1(name) + QStringLiteral("=[") + value + QLatin1Char(']');
}

// The dump of a shown window, after any error lines.
QStringList WindowLines(const QString& title, const QString& link, const QString& url,
                        const QString& image)
{
    return {Line("applicationName", title),
            Line("windowTitle", title),
            Line("visible", QStringLiteral("1")),
            Line("Label56", title),
            Line("lblTextLink", link),
            Line("LinkUrl", url),
            Line("imgSBIMG", image)};
}

} // namespace

class BrandingProcessTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startedCopyShowsItsBranding_data();
    void startedCopyShowsItsBranding();
    void deliveredProgramShowsItsBranding_data();
    void deliveredProgramShowsItsBranding();
};

void BrandingProcessTest::startedCopyShowsItsBranding_data()
{
    QTest::addColumn<bool>("brand");         // false: an unchanged copy of the plain build
    QTest::addColumn<QByteArray>("section"); // appended as "JPG2" when not empty
    QTest::addColumn<QStringList>("expected");
    QFile jpeg(QStringLiteral(SITEWRIGHT_SOURCE_DIR "/assets/branding.jpg"));
    QVERIFY(jpeg.open(QIODevice::ReadOnly));
    const QString title = QStringLiteral("Acme Tools");
    const QString link = QStringLiteral("Visit Acme");
    const QString url = QStringLiteral("http://acme.example/ ");
    QStringList broken = {
        Line("errorTitle", title),
        Line("error", "Invalid JPEG image: Not a JPEG file: starts with 0x6e 0x6f")};
    broken += WindowLines(title, link, url, QStringLiteral("none"));

    QTest::newRow("branded") << true << jpeg.readAll()
                             << WindowLines(title, link, url, QStringLiteral("400x50"));
    QTest::newRow("broken JPEG: error, then the window without image")
        << true << QByteArray("no picture at all") << broken;
    QTest::newRow("no appended data")
        << false << QByteArray()
        << WindowLines(QStringLiteral("Sitewright"), QStringLiteral("Visit my website"), QString(),
                       QStringLiteral("none"));
}

void BrandingProcessTest::startedCopyShowsItsBranding()
{
    QFETCH(bool, brand);
    QFETCH(QByteArray, section);
    QFETCH(QStringList, expected);
    const TempDir dir;
    const QString copy = QString::fromStdString(dir.File("sitewright"));
    if (brand) {
        QStringList arguments = {QStringLiteral("append"), QStringLiteral(SITEWRIGHT_PLAIN), copy};
        if (!section.isEmpty()) {
            const std::string image = dir.Write("image.jpg", section.toStdString());
            arguments << QStringLiteral("--section") << QStringLiteral("JPG2")
                      << QString::fromStdString(image);
        }
        arguments << QStringLiteral("--trailer") << QStringLiteral("Acme Tools")
                  << QStringLiteral("Visit Acme") << QStringLiteral("http://acme.example/ ");
        const Run run = RunProgram(QStringLiteral(SITEWRIGHT_BRAND), arguments);
        QVERIFY2(run.exitCode == 0, run.errors.constData());
    } else {
        QVERIFY(QFile::copy(QStringLiteral(SITEWRIGHT_PLAIN), copy));
    }

    const Run run = DumpBranding(copy);
    QVERIFY(run.finished);
    QVERIFY2(run.exitCode == 0, run.errors.constData());
    QCOMPARE(run.lines, expected);
}

void BrandingProcessTest::deliveredProgramShowsItsBranding_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("stripped");
    QTest::newRow("build/sitewright") << QStringLiteral(SITEWRIGHT_DELIVERED) << false;
    // What the package installs: branded after stripping, so the branding survived the strip.
    QTest::newRow("packaged, stripped") << QStringLiteral(SITEWRIGHT_PACKAGED) << true;
}

void BrandingProcessTest::deliveredProgramShowsItsBranding()
{
    QFETCH(QString, program);
    QFETCH(bool, stripped);
    if (stripped) {
        QFile file(program);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(!bytes.contains(".debug_info"));
        QVERIFY(!bytes.contains(".symtab"));
    }
    const Run run = DumpBranding(program);
    QVERIFY(run.finished);
    QVERIFY2(run.exitCode == 0, run.errors.constData());
    QCOMPARE(run.lines,
             WindowLines(QStringLiteral(SITEWRIGHT_BRAND_TITLE),
                         QStringLiteral(SITEWRIGHT_BRAND_CAPTION),
                         QStringLiteral(SITEWRIGHT_BRAND_ADDRESS), QStringLiteral("400x50")));
}

QTEST_GUILESS_MAIN(BrandingProcessTest)

#include "branding_process_test.moc"
