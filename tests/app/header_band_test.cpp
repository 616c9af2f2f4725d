#include <QApplication>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTest>

#include "app/header_band.h"
#include "tests/support/temp_dir.h"

class HeaderBandTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showsThePicturePixelForPixel();
    void pixelToolRefusesWithAClearMessage_data();
    void pixelToolRefusesWithAClearMessage();
};

// The band shows what reading the committed picture with Qt's PNG reader shows.
void HeaderBandTest::showsThePicturePixelForPixel()
{
    QImageReader reader(QStringLiteral(SITEWRIGHT_SOURCE_DIR "/assets/header-band.png"), "png");
    const QPixmap decoded = QPixmap::fromImage(reader.read());
    QVERIFY(!decoded.isNull());
    const QImage shown = HeaderBandPixmap().toImage();
    QCOMPARE(shown.size(), QSize(537, 33));
    QCOMPARE(shown.format(), decoded.toImage().format());
    QCOMPARE(shown, decoded.toImage());
}

void HeaderBandTest::pixelToolRefusesWithAClearMessage_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("no picture") << "absent.png"
                                << "out.h" << 1 << "cannot read the PNG picture";
    QTest::newRow("not a PNG") << "text.png"
                               << "out.h" << 1 << "cannot read the PNG picture";
    QTest::newRow("no folder for the output") << SITEWRIGHT_SOURCE_DIR "/assets/header-band.png"
                                              << "absent/out.h" << 1 << "absent";
    QTest::newRow("no output named") << ""
                                     << "" << 2 << "Usage";
}

// Whatever it is given, the build's tool names what went wrong and writes nothing.
void HeaderBandTest::pixelToolRefusesWithAClearMessage()
{
    QFETCH(QString, picture);
    QFETCH(QString, output);
    QFETCH(int, status);
    QFETCH(QString, message);
    const TempDir dir;
    dir.Write("text.png", "not a picture");
    QProcess tool;
    tool.setWorkingDirectory(QString::fromStdString(dir.path().string()));
    QStringList arguments{picture, output, QStringLiteral("band")};
    if (picture.isEmpty())
        arguments = {};
    tool.start(QStringLiteral(SITEWRIGHT_PICTURE_PIXELS), arguments);
    QVERIFY(tool.waitForFinished());
    QCOMPARE(tool.exitCode(), status);
    QVERIFY2(tool.readAllStandardError().contains(message.toUtf8()), qPrintable(message));
    QVERIFY(!QFile::exists(QString::fromStdString(dir.File("out.h"))));
}

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    HeaderBandTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "header_band_test.moc"
