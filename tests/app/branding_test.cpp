#include <QBuffer>
#include <QImageWriter>
#include <QLabel>
#include <QPainter>
#include <QTest>
#include <QTextDocument>
#include <cstdint>
#include <memory>
#include <string>

#include "app/application.h"
#include "app/branding.h"
#include "app/error_reporting.h"
#include "app/link_label.h"
#include "app/main_window.h"
#include "app_test_support.h"
#include "branding/brand_writer.h"
#include "branding/jpeg_image.h"
#include "branding/start_up_limits.h"
#include "platform/exe_image.h"
#include "platform/executable_path.h"

namespace
{

const std::string kDesignTitle = "Sitewright";
const std::string kDesignLink = "Visit my website";

// A program image without appended data; like a real one it ends in zero bytes.
std::string PlainProgram()
{
    return "a program image" + std::string(8, '\0');
}

std::string BrandingJpeg()
{
    return ReadBytes(SITEWRIGHT_SOURCE_DIR "/assets/branding.jpg");
}

// A JPEG taller than the picture control, so that centring has to cut rows off; its shapes make
// a shifted or scaled copy easy to tell apart.
std::string TallJpeg()
{
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int y = 0; y < 100; y += 10)
        painter.fillRect(0, y, 200, 5, QColor(y * 2, 80, 255 - y * 2));
    painter.fillRect(90, 0, 20, 100, Qt::black);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    writer.setQuality(95);
    writer.write(image);
    return bytes.toStdString();
}

// `program` with `jpeg` appended as the "JPG2" section.
std::string WithImage(std::string program, const std::string& jpeg)
{
    branding::AppendSection(program, "JPG2", jpeg);
    return program;
}

// `program` with `text` appended as the trailer text, then the length field.
std::string WithTrailer(std::string program, const std::string& text)
{
    const auto length = static_cast<std::uint32_t>(text.size() + 4);
    program += text;
    for (int shift = 0; shift < 32; shift += 8)
        program += static_cast<char>((length >> shift) & 0xFF);
    return program;
}

const std::string kFullTrailer = "\"Acme Tools\"|\"Visit Acme\"|\"http://acme.example/ \"\r\n";

// The main window created as the program creates it, over an executable file holding `program`,
// and every error reported meanwhile, with whether the window was visible at that moment.
struct BrandedWindow {
    explicit BrandedWindow(const std::string& program)
        : executable(dir.Write("sitewright", program))
    {
        mainWindow = std::make_unique<MainWindow>();
        mainWindow->show();
        exposed = QTest::qWaitForWindowExposed(mainWindow.get());
    }

    ~BrandedWindow()
    {
        mainWindow.reset();
        QCoreApplication::setApplicationName(QString::fromStdString(kDesignTitle));
    }

    TempDir dir;
    platform::ScopedExecutablePath executable;
    platform::ScopedExeImage image; // empty, so the window reads the file above
    QStringList errors;
    bool visibleAtError = false;
    bool exposed = false;
    ScopedErrorReporter reporter{[this](const QString& title, const QString& message) {
        errors.append(title + QStringLiteral(": ") + message);
        for (const QWidget* window : QApplication::topLevelWidgets())
            if (qobject_cast<const MainWindow*>(window) && window->isVisible())
                visibleAtError = true;
    }};
    std::unique_ptr<MainWindow> mainWindow;
};

} // namespace

class BrandingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textsFollowTrailerItems_data();
    void textsFollowTrailerItems();
    void imageSection_data();
    void imageSection();
    void imageShowsCentredUnscaled();
    void limitsAreReported_data();
    void limitsAreReported();
};

void BrandingTest::textsFollowTrailerItems_data()
{
    QTest::addColumn<QByteArray>("program");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QByteArray>("url");
    const auto trailer = [](const char* text) {
        return QByteArray::fromStdString(WithTrailer(PlainProgram(), text));
    };
    const QString design = QString::fromStdString(kDesignTitle);
    const QString designLink = QString::fromStdString(kDesignLink);

    QTest::newRow("no appended data")
        << QByteArray::fromStdString(PlainProgram()) << design << designLink << QByteArray();
    QTest::newRow("three items") << trailer(kFullTrailer.c_str()) << "Acme Tools"
                                 << "Visit Acme" << QByteArray("http://acme.example/ ");
    QTest::newRow("two items leave the address empty")
        << trailer("\"Acme Tools\"|\"Visit Acme\"\r\n") << "Acme Tools"
        << "Visit Acme" << QByteArray();
    QTest::newRow("one item brands the title only")
        << trailer("\"Acme Tools\"\r\n") << "Acme Tools" << designLink << QByteArray();
    QTest::newRow("blanks inside quotes stay")
        << trailer("\"  Acme   Tools \"|\" Visit \"|\"u\"\r\n") << "  Acme   Tools "
        << " Visit " << QByteArray("u");
    QTest::newRow("empty trailer") << trailer("") << design << designLink << QByteArray();
}

void BrandingTest::textsFollowTrailerItems()
{
    QFETCH(QByteArray, program);
    QFETCH(QString, title);
    QFETCH(QString, link);
    QFETCH(QByteArray, url);
    BrandedWindow window(program.toStdString());
    QVERIFY(window.exposed);
    QCOMPARE(window.errors, QStringList());
    QCOMPARE(QCoreApplication::applicationName(), title);
    QCOMPARE(window.mainWindow->windowTitle(), title);
    QCOMPARE(window.mainWindow->titleLabel->text(), title);
    QCOMPARE(window.mainWindow->linkLine->text(), link);
    QCOMPARE(QByteArray::fromStdString(window.mainWindow->linkUrl()), url);
    // The link line draws its text without a text document of its own, the same pixels as a
    // label that has one, and Tab still reaches it.
    QLabel* line = window.mainWindow->linkLine;
    QVERIFY(!line->findChild<QTextDocument*>());
    QCOMPARE(line->focusPolicy(), Qt::TabFocus);
    QLabel withDocument(line->text(), window.mainWindow.get());
    withDocument.setFocusPolicy(Qt::TabFocus);
    withDocument.setFont(line->font());
    withDocument.setPalette(line->palette());
    withDocument.setAlignment(line->alignment());
    withDocument.setGeometry(line->geometry());
    withDocument.show();
    QVERIFY(withDocument.findChild<QTextDocument*>());
    QCOMPARE(withDocument.grab().toImage(), line->grab().toImage());
}

void BrandingTest::imageSection_data()
{
    QTest::addColumn<QByteArray>("program");
    QTest::addColumn<QSize>("imageSize"); // 0 x 0: no image
    QTest::addColumn<QString>("error");   // the start of the reported message; empty: none
    const auto section = [](const std::string& jpeg) {
        return QByteArray::fromStdString(
            WithTrailer(WithImage(PlainProgram(), jpeg), kFullTrailer));
    };
    const std::string jpeg = BrandingJpeg();

    QTest::newRow("JPEG") << section(jpeg) << QSize(400, 50) << QString();
    QTest::newRow("no section") << QByteArray::fromStdString(
                                       WithTrailer(PlainProgram(), kFullTrailer))
                                << QSize(0, 0) << QString();
    QTest::newRow("empty section") << section("") << QSize(0, 0) << QString();
    QTest::newRow("JPEG without trailer")
        << QByteArray::fromStdString(WithImage(PlainProgram(), jpeg) + std::string(4, '\0'))
        << QSize(400, 50) << QString();
    QTest::newRow("not a JPEG") << section("GIF89a and then some") << QSize(0, 0)
                                << "Acme Tools: Invalid JPEG image: ";
}

void BrandingTest::imageSection()
{
    QFETCH(QByteArray, program);
    QFETCH(QSize, imageSize);
    QFETCH(QString, error);
    BrandedWindow window(program.toStdString());
    QVERIFY(window.exposed);
    QCOMPARE(window.mainWindow->brandPicture->pixmap().size(), imageSize);
    if (error.isEmpty()) {
        QCOMPARE(window.errors, QStringList());
    } else {
        QCOMPARE(window.errors.size(), 1);
        QVERIFY2(window.errors[0].startsWith(error), qPrintable(window.errors[0]));
        // Reported while the window is created; the window then shows all the same.
        QVERIFY(!window.visibleAtError);
        QVERIFY(window.mainWindow->isVisible());
    }
}

void BrandingTest::imageShowsCentredUnscaled()
{
    const std::string jpeg = TallJpeg();
    BrandedWindow window(WithTrailer(WithImage(PlainProgram(), jpeg), kFullTrailer));
    QVERIFY(window.exposed);
    const QImage expected =
        ToQImage(branding::DecodeJpeg(jpeg)).convertToFormat(QImage::Format_RGB32);
    const QImage shot =
        window.mainWindow->brandPicture->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot.size(), QSize(536, 57));
    // 200 x 100 in 536 x 57: 168 pixels free on either side; 43 rows cut off, 22 above and 21
    // below.
    const QRect shown(168, 0, 200, 57);
    QCOMPARE(shot.copy(shown), expected.copy(0, 22, 200, 57));
    // Beside the image only the background shows.
    QImage background(168, 57, QImage::Format_RGB32);
    background.fill(shot.pixel(0, 0));
    QCOMPARE(shot.copy(0, 0, 168, 57), background);
    QCOMPARE(shot.copy(368, 0, 168, 57), background);
}

void BrandingTest::limitsAreReported_data()
{
    QTest::addColumn<QByteArray>("program");
    QTest::addColumn<QString>("error");
    const std::string title(branding::kMaxTitleBytes + 1, 't');
    const std::string section(branding::kMaxImageSectionBytes + 1, 'x');
    QTest::newRow("title above its limit")
        << QByteArray::fromStdString(WithTrailer(PlainProgram(), "\"" + title + "\"|\"c\"\r\n"))
        << "Sitewright: The branding title holds 4097 bytes; at most 4096 are shown.";
    QTest::newRow("image section above its limit")
        << QByteArray::fromStdString(WithTrailer(WithImage(PlainProgram(), section), ""))
        << "Sitewright: The branding image section holds 8388609 bytes; at most 8388608 are read.";
}

// Appended data above a start-up limit is reported with the limit; the window keeps its design
// texts and shows no image.
void BrandingTest::limitsAreReported()
{
    QFETCH(QByteArray, program);
    QFETCH(QString, error);
    BrandedWindow window(program.toStdString());
    QVERIFY(window.exposed);
    QCOMPARE(window.errors, QStringList{error});
    QVERIFY(!window.visibleAtError);
    QCOMPARE(window.mainWindow->windowTitle(), QString::fromStdString(kDesignTitle));
    QCOMPARE(window.mainWindow->linkLine->text(), QString::fromStdString(kDesignLink));
    QVERIFY(window.mainWindow->brandPicture->pixmap().isNull());
}

int main(int argc, char* argv[])
{
    return RunAppTest<BrandingTest>(argc, argv);
}

#include "branding_test.moc"
