// An installed copy run by an ordinary user: the program's folder belongs to root, so Preview
// must write into the user's own folders and the program must not work from its own folder.
// The test creates the user for itself and removes it at the end; it needs root.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

constexpr int kDeadlineMs = 30000;

bool Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(kDeadlineMs) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// A system account made for the test, gone with the object.
class TestUser
{
public:
    TestUser() : name_(QStringLiteral("swtest%1").arg(getpid()))
    {
        made_ = Run(QStringLiteral("useradd"),
                    {QStringLiteral("--system"), QStringLiteral("--no-create-home"),
                     QStringLiteral("--shell"), QStringLiteral("/usr/sbin/nologin"), name_});
    }
    ~TestUser()
    {
        if (made_)
            Run(QStringLiteral("userdel"), {name_});
    }
    TestUser(const TestUser&) = delete;
    TestUser& operator=(const TestUser&) = delete;

    bool Made() const { return made_; }
    const QString& Name() const { return name_; }

private:
    QString name_;
    bool made_ = false;
};

} // namespace

class InstalledUserTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void previewGoesToTheUsersFolders_data();
    void previewGoesToTheUsersFolders();

private:
    QString MakeFolder(const QString& path, bool users);
    QString user_;
    QString scratch_;
};

QString InstalledUserTest::MakeFolder(const QString& path, bool users)
{
    const QString full = scratch_ + QLatin1Char('/') + path;
    QDir().mkpath(full);
    chmod(QFile::encodeName(full).constData(), users ? 0700 : 0755);
    if (users)
        Run(QStringLiteral("chown"), {user_, full});
    return full;
}

void InstalledUserTest::previewGoesToTheUsersFolders_data()
{
    QTest::addColumn<bool>("ownCopy");    // the copy lies in a folder of the user's
    QTest::addColumn<bool>("runtime");    // XDG_RUNTIME_DIR is set
    QTest::addColumn<QString>("preview"); // where preview.html must be, in the scratch folder
    QTest::newRow("installed, runtime folder") << false << true << "run/sitewright/preview.html";
    QTest::newRow("installed, no runtime folder")
        << false << false << "home/.cache/sitewright/preview.html";
    QTest::newRow("own copy") << true << true << "own/preview.html";
}

void InstalledUserTest::previewGoesToTheUsersFolders()
{
    QFETCH(bool, ownCopy);
    QFETCH(bool, runtime);
    QFETCH(QString, preview);
    if (geteuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("useradd")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
        QSKIP("Needs root, useradd and setpriv to run the program as a new ordinary user");
    TestUser user;
    QVERIFY(user.Made());
    user_ = user.Name();
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    scratch_ = scratch.path();
    chmod(QFile::encodeName(scratch_).constData(), 0755);
    const QString bin =
        MakeFolder(ownCopy ? QStringLiteral("own") : QStringLiteral("usr/bin"), ownCopy);
    const QString start = MakeFolder(QStringLiteral("home"), true);
    MakeFolder(QStringLiteral("run"), true);
    const QString program = bin + QStringLiteral("/sitewright");
    QVERIFY(QFile::copy(QStringLiteral(PREVIEW_PROBE), program));
    if (ownCopy)
        QVERIFY(Run(QStringLiteral("chown"), {user_, program}));
    const QStringList before = QDir(bin).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    QProcess probe;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), start);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // Without a runtime folder the toolkit makes one of its own under the temporary folder.
    environment.insert(QStringLiteral("TMPDIR"), start);
    environment.remove(QStringLiteral("XDG_CACHE_HOME"));
    environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
    if (runtime)
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), scratch_ + QStringLiteral("/run"));
    else
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    probe.setProcessEnvironment(environment);
    probe.setWorkingDirectory(start);
    probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    probe.start(QStringLiteral("setpriv"),
                {QStringLiteral("--reuid=") + user_, QStringLiteral("--regid=") + user_,
                 QStringLiteral("--clear-groups"), program});
    QVERIFY(probe.waitForFinished(kDeadlineMs));
    const QStringList lines = QString::fromUtf8(probe.readAllStandardOutput())
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(probe.exitCode(), 0);

    const QString path = scratch_ + QLatin1Char('/') + preview;
    QCOMPARE(lines, QStringList({QStringLiteral("browser -new ") + path + QLatin1Char(' '),
                                 QStringLiteral("cwd ") + (ownCopy ? bin : start)}));
    QVERIFY(QFile::exists(path));
    if (!ownCopy)
        QCOMPARE(QDir(bin).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
}

QTEST_GUILESS_MAIN(InstalledUserTest)
#include "installed_user_test.moc"
