#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QTest>

#include "app/lazy_file_icon.h"

// The resources live in the application library; the program's main window registers them.
static void InitAppResources()
{
    Q_INIT_RESOURCE(app_resources);
}

namespace
{

const int kSizes[] = {16, 24, 32, 48, 64, 128, 256};

QString IconFile(int size)
{
    return QStringLiteral(":/sitewright/icons/sitewright-%1.png").arg(size);
}

QList<LazyFileIconEngine::SizedFile> Files()
{
    QList<LazyFileIconEngine::SizedFile> files;
    for (const int size : kSizes)
        files.append({QSize(size, size), IconFile(size)});
    return files;
}

// The icon as Qt builds it when every file is decoded up front.
QIcon EagerIcon()
{
    QIcon icon;
    for (const int size : kSizes)
        icon.addFile(IconFile(size));
    return icon;
}

} // namespace

class LazyFileIconTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { InitAppResources(); }
    void knowsItsSizesWithoutDecoding();
    void givesWhatTheEagerIconGives_data();
    void givesWhatTheEagerIconGives();
};

void LazyFileIconTest::knowsItsSizesWithoutDecoding()
{
    auto* engine = new LazyFileIconEngine(Files());
    const QIcon icon(engine);
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.availableSizes(), EagerIcon().availableSizes());
    QVERIFY(!engine->loaded());
    QVERIFY(!icon.pixmap(QSize(32, 32)).isNull());
    QVERIFY(engine->loaded());
}

void LazyFileIconTest::givesWhatTheEagerIconGives_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QIcon::Mode>("mode");
    QTest::newRow("a listed size") << QSize(32, 32) << QIcon::Normal;
    QTest::newRow("the largest") << QSize(256, 256) << QIcon::Normal;
    QTest::newRow("between two sizes") << QSize(40, 40) << QIcon::Normal;
    QTest::newRow("above the largest") << QSize(300, 300) << QIcon::Normal;
    QTest::newRow("not square") << QSize(64, 20) << QIcon::Normal;
    QTest::newRow("disabled") << QSize(48, 48) << QIcon::Disabled;
}

void LazyFileIconTest::givesWhatTheEagerIconGives()
{
    QFETCH(QSize, size);
    QFETCH(QIcon::Mode, mode);
    const QIcon lazy(new LazyFileIconEngine(Files()));
    const QIcon eager = EagerIcon();
    QCOMPARE(lazy.actualSize(size, mode), eager.actualSize(size, mode));
    QCOMPARE(lazy.pixmap(size, mode).toImage(), eager.pixmap(size, mode).toImage());
}

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    LazyFileIconTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "lazy_file_icon_test.moc"
