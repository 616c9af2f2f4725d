#include <QApplication>
#include <QImage>
#include <QTest>

#include "app/png_resource.h"

// The resources live in the application library; the program's main window registers them.
static void InitAppResources()
{
    Q_INIT_RESOURCE(app_resources);
}

class PngResourceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { InitAppResources(); }
    void readsWhatTheGeneralReaderReads_data();
    void readsWhatTheGeneralReaderReads();
};

void PngResourceTest::readsWhatTheGeneralReaderReads_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("exists");
    QTest::newRow("band picture") << QStringLiteral(":/sitewright/header-band.png") << true;
    QTest::newRow("missing") << QStringLiteral(":/sitewright/no-such-picture.png") << false;
}

void PngResourceTest::readsWhatTheGeneralReaderReads()
{
    QFETCH(QString, path);
    QFETCH(bool, exists);
    const QPixmap pixmap = LoadPngResource(path);
    const QImage expected(path);
    QCOMPARE(pixmap.isNull(), !exists);
    QCOMPARE(expected.isNull(), !exists);
    if (exists)
        QCOMPARE(pixmap.toImage().convertToFormat(QImage::Format_ARGB32),
                 expected.convertToFormat(QImage::Format_ARGB32));
}

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    PngResourceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "png_resource_test.moc"
