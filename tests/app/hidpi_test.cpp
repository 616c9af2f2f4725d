// The main window on a screen of pixel ratio 2 (run with QT_SCALE_FACTOR=2): it scales as a
// whole, and the header band and the branding image are enlarged pixel for pixel, each picture
// pixel a solid 2 × 2 block, not smeared by smooth scaling.
#include <QApplication>
#include <QLabel>
#include <QTest>

#include "app/application.h"
#include "app/main_window.h"
#include "app/window_geometry.h"
#include "tests/app/app_test_support.h"

class HiDpiTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windowScalesAsAWhole();
    void picturesArePixelBlocks_data();
    void picturesArePixelBlocks();
};

namespace
{

constexpr int kScale = 2;

// A picture with single-pixel detail, so smoothing would show in every block.
QImage Checkerboard(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, (x + y) % 2 ? 0x102030 : 0xF0E0D0);
    return image;
}

} // namespace

void HiDpiTest::windowScalesAsAWhole()
{
    AppFixture f;
    QCOMPARE(f.mainWindow->devicePixelRatioF(), qreal(kScale));
    const QSize size = window_geometry::WindowSize(f.mainWindow->pageCount());
    QCOMPARE(f.mainWindow->size(), size);
    const QImage grabbed = f.mainWindow->grab().toImage();
    QCOMPARE(grabbed.size(), size * kScale);
}

void HiDpiTest::picturesArePixelBlocks_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("branded");
    QTest::newRow("header band") << "Image1" << false;
    QTest::newRow("branding image") << "imgSBIMG" << true;
}

void HiDpiTest::picturesArePixelBlocks()
{
    QFETCH(QString, label);
    QFETCH(bool, branded);
    AppFixture f;
    if (branded)
        f.mainWindow->showBrandImage(Checkerboard(400, 50));
    auto* picture = f.mainWindow->findChild<QLabel*>(label);
    QVERIFY(picture);
    const QImage source = picture->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage screen = picture->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(screen.size(), picture->size() * kScale);
    // Where the picture sits in the label: centred, or at the top left.
    const QPoint at = branded ? QPoint((picture->width() - source.width()) / 2,
                                       (picture->height() - source.height()) / 2)
                              : QPoint(0, 0);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            const QRgb expected = source.pixel(x, y) & 0xFFFFFF;
            for (int d = 0; d < kScale * kScale; ++d) {
                const QPoint device = (at + QPoint(x, y)) * kScale + QPoint(d % kScale, d / kScale);
                if ((screen.pixel(device) & 0xFFFFFF) != expected)
                    QFAIL(qPrintable(QStringLiteral("picture pixel %1,%2: %3 != %4")
                                         .arg(x)
                                         .arg(y)
                                         .arg(screen.pixel(device) & 0xFFFFFF, 6, 16)
                                         .arg(expected, 6, 16)));
            }
        }
}

int main(int argc, char* argv[])
{
    SitewrightApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sitewright"));
    HiDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "hidpi_test.moc"
