#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <memory>
#include <unistd.h>

#include "app/application.h"
#include "app/code_window.h"
#include "app/error_reporting.h"
#include "app/link_label.h"
#include "app/main_window.h"
#include "app/page_actions.h"
#include "app/page_layout.h"
#include "app/window_geometry.h"
#include "app_test_support.h"
#include "generators/bookmark_us.h"
#include "generators/break_frames.h"
#include "generators/escape.h"
#include "generators/gadget_table.h"
#include "platform/executable_path.h"
#include "tests/support/golden_file.h"
#include "widgets/system_colors.h"
#include "widgets/xp_button.h"

class MainWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { f = std::make_unique<AppFixture>(); }
    void cleanup() { f.reset(); }

    void startsOnPageOne();
    void windowLooksAsDesigned();
    void menuLineShowsItsPage_data();
    void menuLineShowsItsPage();
    void everyGadgetHasAVisibleMenuLineAndAPage();
    void componentsSitWhereDesigned_data();
    void componentsSitWhereDesigned();
    void fieldsStartWithDefaults();
    void brandImageShowsCentredUnscaled();
    void fieldTextHasNoLengthLimit();
    void generateCodeShowsEachPagesCode_data();
    void generateCodeShowsEachPagesCode();
    void generateCodeReplacesEarlierCode();
    void generatingAPageNotShownUsesItsDefaults();
    void generateCodeBringsCodeWindowToFront();
    void bookmarkUsSplicesTypedText_data();
    void bookmarkUsSplicesTypedText();
    void previewWritesFileAndOpensBrowser();
    void previewReplacesEarlierFile();
    void previewGoesWhereTheUserMayWrite_data();
    void previewGoesWhereTheUserMayWrite();
    void linkLineOpensLinkUrl_data();
    void linkLineOpensLinkUrl();
    void errorEscapingAnEventIsReported();
    void closingMainWindowEndsProgram();

private:
    void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    static void Type(QWidget* widget, const QString& text);
    std::vector<std::string> codeLines() const { return f->codeWindow->lines(); }
    std::unique_ptr<AppFixture> f;
};

void MainWindowTest::startsOnPageOne()
{
    QCOMPARE(f->mainWindow->visiblePage(), 1);
    QVERIFY(f->Control("Panel1")->isVisible());
    for (int page = 2; page <= f->mainWindow->pageCount(); ++page)
        QVERIFY(!f->mainWindow->pagePanel(page)->isVisible());
    QVERIFY(f->codeWindow->isHidden());
    QCOMPARE(f->mainWindow->size(), window_geometry::WindowSize(f->mainWindow->pageCount()));
    // Ten gadgets keep the designed window; more grow it downwards, with the footer inside.
    QCOMPARE(window_geometry::WindowSize(10), QSize(538, 338));
    QVERIFY(f->mainWindow->rect().contains(f->mainWindow->linkLine->geometry()));
    QCOMPARE(f->mainWindow->windowTitle(), QStringLiteral("Sitewright"));
}

// Fixed size with system menu and minimise box only, centred, and the fonts and colours of the
// band, the menu and the link line.
void MainWindowTest::windowLooksAsDesigned()
{
    MainWindow& window = *f->mainWindow;
    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QCOMPARE(window.minimumSize(), window.size());
    QCOMPARE(window.maximumSize(), window.size());
    // Centred up to the window frame, whose size is not known before the window first shows.
    const QPoint offset =
        window.frameGeometry().center() - window.screen()->availableGeometry().center();
    const QSize frame = window.frameGeometry().size() - window.geometry().size();
    QVERIFY(qAbs(offset.x()) <= frame.width() + 1);
    QVERIFY(qAbs(offset.y()) <= frame.height() + 1);
    QCOMPARE(window.palette().color(QPalette::Window),
             ui::ResolveSystemColor(ui::SystemColor::ButtonFace));
    QCOMPARE(window.font().pixelSize(), 11);

    QCOMPARE(window.titleLabel->font().pixelSize(), 21);
    QVERIFY(window.titleLabel->font().weight() >= QFont::Bold);
    QCOMPARE(window.titleLabel->palette().color(QPalette::WindowText), QColor(0xC0, 0xC0, 0xC0));
    QCOMPARE(window.titleLabel->alignment(), Qt::AlignCenter);
    QVERIFY(!window.titleLabel->autoFillBackground());

    QCOMPARE(window.linkLine->palette().color(QPalette::WindowText), QColor(Qt::blue));
    QCOMPARE(window.linkLine->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(window.linkLine->alignment(), Qt::AlignCenter);
    QCOMPARE(window.linkLine->font().pixelSize(), 11);
    QVERIFY(!window.linkLine->autoFillBackground());
    QCOMPARE(window.brandPicture->alignment(), Qt::AlignCenter);
    QVERIFY(!window.brandPicture->hasScaledContents());
    QCOMPARE(window.menuPanel->frameShadow(), QFrame::Sunken);

    // The menu lines are plain 13-pixel text; only the link line shows the hand.
    const QList<LinkLabel*> lines = window.menuPanel->findChildren<LinkLabel*>();
    QCOMPARE(lines.size(), window.pageCount());
    for (const LinkLabel* line : lines) {
        QCOMPARE(line->font().pixelSize(), 13);
        QVERIFY(!line->font().bold() && !line->font().italic() && !line->font().underline());
        QCOMPARE(line->cursor().shape(), Qt::ArrowCursor);
    }
}

// Each line's object name comes from the page layouts and its caption from the gadget table;
// the 5th and 6th lines' names are crossed in the layouts.
void MainWindowTest::menuLineShowsItsPage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("page");
    for (const gen::GadgetEntry& gadget : gen::GadgetTable())
        QTest::addRow("line %d", gadget.page)
            << QString::fromUtf8(pages::PageLayoutOf(gadget.page).menuLine)
            << QString::fromUtf8(gadget.menuCaption) << window_geometry::MenuLineY(gadget.page - 1)
            << gadget.page;
}

void MainWindowTest::menuLineShowsItsPage()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(int, y);
    QFETCH(int, page);
    auto* line = f->mainWindow->menuPanel->findChild<LinkLabel*>(name);
    QVERIFY(line);
    QCOMPARE(line->text(), caption);
    QCOMPARE(line->pos(), QPoint(16, y));

    f->mainWindow->showPage(page == 1 ? 2 : 1);
    Click(line);
    QCOMPARE(f->mainWindow->visiblePage(), page);
    // A second click on the shown page's line keeps it shown, alone.
    Click(line);
    QCOMPARE(f->mainWindow->visiblePage(), page);
    for (int other = 1; other <= f->mainWindow->pageCount(); ++other)
        QCOMPARE(f->mainWindow->pagePanel(other)->isVisible(), other == page);
    QVERIFY(f->reporter.messages.isEmpty());
}

// Each gadget of the table has its line in the menu, whole inside the panel, with the table's
// caption, and a page of its own.
void MainWindowTest::everyGadgetHasAVisibleMenuLineAndAPage()
{
    const QFrame* menu = f->mainWindow->menuPanel;
    const QList<LinkLabel*> lines = menu->findChildren<LinkLabel*>(Qt::FindDirectChildrenOnly);
    int fit = 0;
    for (const LinkLabel* line : lines)
        fit += menu->contentsRect().contains(line->geometry()) ? 1 : 0;
    for (const gen::GadgetEntry& gadget : gen::GadgetTable()) {
        const int index = gadget.page - 1;
        QVERIFY2(index < fit, qPrintable(QStringLiteral("the menu has room for %1 lines; %2 needs "
                                                        "line %3")
                                             .arg(fit)
                                             .arg(QString::fromUtf8(gadget.id))
                                             .arg(gadget.page)));
        QCOMPARE(lines[index]->text(), QString::fromUtf8(gadget.menuCaption));
        QCOMPARE(f->mainWindow->pagePanel(gadget.page)->objectName(),
                 QStringLiteral("Panel%1").arg(gadget.page));
    }
}

void MainWindowTest::componentsSitWhereDesigned_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("page"); // 0: a part of the window, else the page it stands on
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    const QString any;
    QTest::newRow("band") << "Image1" << 0 << QRect(0, 0, 537, 33) << any;
    QTest::newRow("title") << "Label56" << 0 << QRect(16, 2, 505, 30) << "Sitewright";
    const int n = static_cast<int>(gen::GadgetTable().size());
    QTest::newRow("menu") << "Menuepanel1" << 0 << window_geometry::MenuPanel(n) << any;
    QTest::newRow("page 1") << "Panel1" << 0 << window_geometry::PageArea(n) << any;
    QTest::newRow("last page") << QStringLiteral("Panel%1").arg(n) << 0
                               << window_geometry::PageArea(n) << any;
    QTest::newRow("brand image") << "imgSBIMG" << 0 << window_geometry::BrandImage(n) << any;
    QTest::newRow("link") << "lblTextLink" << 0 << window_geometry::LinkLine(n)
                          << "Visit my website";
    QTest::newRow("p1 title") << "Label77" << 1 << QRect(8, 8, 98, 16) << "Break Frames";
    QTest::newRow("p1 browsers") << "Label78" << 1 << QRect(288, 10, 57, 13) << "All Browsers";
    QTest::newRow("p2 title") << "Label11" << 2 << QRect(8, 8, 102, 16) << " Bookmark Us!";
    QTest::newRow("p2 browsers") << "Label12" << 2 << QRect(248, 10, 101, 13)
                                 << "Internet Explorer Only";
    QTest::newRow("p2 url caption")
        << "Label14" << 2 << QRect(16, 112, 84, 13) << "URL to bookmark";
    QTest::newRow("p2 url") << "Edit1" << 2 << QRect(112, 108, 241, 21) << any;
    QTest::newRow("p2 name caption")
        << "Label15" << 2 << QRect(16, 140, 85, 13) << "Name of your site:";
    QTest::newRow("p2 name") << "Edit2" << 2 << QRect(112, 136, 241, 21) << any;
    QTest::newRow("p1 preview") << "xpButton1" << 1 << QRect(16, 176, 89, 25) << "Preview";
    QTest::newRow("p1 generate") << "xpButton2" << 1 << QRect(264, 176, 91, 25) << "Generate Code";
    QTest::newRow("p5 preview lower") << "xpButton9" << 5 << QRect(16, 184, 89, 25) << "Preview";
    QTest::newRow("p5 generate lower")
        << "xpButton10" << 5 << QRect(264, 184, 91, 25) << "Generate Code";
    QTest::newRow("p10 generate") << "xpButton20" << 10 << QRect(264, 186, 91, 25)
                                  << "Generate Code";
}

void MainWindowTest::componentsSitWhereDesigned()
{
    QFETCH(QString, name);
    QFETCH(int, page);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    if (page > 0)
        f->mainWindow->showPage(page);
    auto* widget = f->mainWindow->findChild<QWidget*>(name);
    QVERIFY(widget);
    // Places are designed in the coordinates of the window or of the page.
    QWidget* frame =
        page > 0 ? f->mainWindow->pagePanel(page) : static_cast<QWidget*>(f->mainWindow.get());
    QVERIFY(frame->isAncestorOf(widget));
    const QRect placed(widget->mapTo(frame, QPoint(0, 0)), widget->size());
    auto* label = qobject_cast<QLabel*>(widget);
    if (label && !text.isNull()) {
        QCOMPARE(label->text(), text);
        // A one-line label may grow past its designed size, but its whole text must show.
        QCOMPARE(placed.topLeft(), geometry.topLeft());
        QVERIFY(widget->width() >= geometry.width() && widget->height() >= geometry.height());
        const QFontMetrics metrics(label->font());
        QVERIFY2(metrics.horizontalAdvance(text) <= widget->width(), qPrintable(name));
        QVERIFY(metrics.height() <= widget->height());
    } else {
        QCOMPARE(placed, geometry);
    }
    if (auto* button = qobject_cast<XpButton*>(widget))
        QCOMPARE(button->caption(), text);
}

void MainWindowTest::fieldsStartWithDefaults()
{
    f->mainWindow->showPage(2);
    QCOMPARE(f->Control<QLineEdit>("Edit1")->text(), QStringLiteral("http://www.example.com"));
    QCOMPARE(f->Control<QLineEdit>("Edit2")->text(), QStringLiteral("My cool site"));
    QCOMPARE(f->Control<QLineEdit>("Edit1")->parentWidget(), f->mainWindow->pagePanel(2));
}

void MainWindowTest::brandImageShowsCentredUnscaled()
{
    QImage image(100, 20, QImage::Format_RGB32);
    image.fill(Qt::red);
    f->mainWindow->showBrandImage(image);
    const QImage shot = f->mainWindow->brandPicture->grab().toImage();
    QCOMPARE(shot.size(), QSize(536, 57));
    // 536 x 57 leaves 218 pixels left and right of the image and 18 or 19 above and below.
    QCOMPARE(shot.pixelColor(218, 28), QColor(Qt::red));
    QCOMPARE(shot.pixelColor(317, 28), QColor(Qt::red));
    QVERIFY(shot.pixelColor(217, 28) != QColor(Qt::red));
    QVERIFY(shot.pixelColor(318, 28) != QColor(Qt::red));
    QVERIFY(shot.pixelColor(268, 10) != QColor(Qt::red));
}

void MainWindowTest::fieldTextHasNoLengthLimit()
{
    const QString longName(40000, QLatin1Char('n'));
    f->mainWindow->showPage(2);
    f->Control<QLineEdit>("Edit2")->setText(longName);
    f->mainWindow->generatePageCode(2);
    QCOMPARE(codeLines().at(11), WithFieldText(GoldenLines("bookmark-us").at(11), "My cool site",
                                               longName.toStdString()));
}

void MainWindowTest::generateCodeShowsEachPagesCode_data()
{
    QTest::addColumn<int>("page");
    for (const gen::GadgetEntry& gadget : gen::GadgetTable())
        QTest::addRow("%s", gadget.id.data()) << gadget.page;
}

// Each page's Generate Code button gives that page's snippet, from the fields as they start.
void MainWindowTest::generateCodeShowsEachPagesCode()
{
    QFETCH(int, page);
    const gen::GadgetEntry* gadget = gen::GadgetOfPage(page);
    QVERIFY(gadget && gadget->generate);
    const std::vector<std::string> expected = gadget->generate(gen::DefaultValues(*gadget)).Lines();
    f->codeWindow->setCode(gen::BreakFrames());

    f->mainWindow->showPage(page);
    Click(f->mainWindow->findChild<XpButton*>(QStringLiteral("xpButton%1").arg(2 * page)));
    QCOMPARE(f->reporter.messages, QStringList());
    QCOMPARE(codeLines(), expected);
    QCOMPARE(codeLines(), GoldenLines(gadget->id));
    QVERIFY(f->codeWindow->isVisible());
    QVERIFY(f->shell.requests.empty());
}

// A page is built when it first shows; its generator run before then reads the fields as they
// start, and leaves the shown page as it is.
void MainWindowTest::generatingAPageNotShownUsesItsDefaults()
{
    for (const gen::GadgetEntry& gadget : gen::GadgetTable()) {
        f->mainWindow->generatePageCode(gadget.page);
        QCOMPARE(codeLines(), gadget.generate(gen::DefaultValues(gadget)).Lines());
        QCOMPARE(f->mainWindow->visiblePage(), 1);
    }
    QCOMPARE(f->reporter.messages, QStringList());
}

void MainWindowTest::generateCodeReplacesEarlierCode()
{
    Click(f->Control("xpButton2"));
    QCOMPARE(codeLines().size(), std::size_t{15});
    Click(f->Control("Label2"));
    Click(f->Control("xpButton4"));
    QCOMPARE(codeLines().size(), std::size_t{29});
    QCOMPARE(codeLines(), gen::BookmarkUs({"http://www.example.com", "My cool site"}).Lines());
}

// Generate Code shows the code window in front and active, also when it was open behind the
// main window or minimised; the main window stays usable.
void MainWindowTest::generateCodeBringsCodeWindowToFront()
{
    Click(f->Control("xpButton2"));
    QVERIFY(QTest::qWaitForWindowActive(f->codeWindow));
    f->mainWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f->mainWindow.get()));
    Click(f->Control("xpButton2"));
    QVERIFY(QTest::qWaitForWindowActive(f->codeWindow));

    f->codeWindow->showMinimized();
    Click(f->Control("xpButton2"));
    QVERIFY(!f->codeWindow->isMinimized());
    QVERIFY(f->codeWindow->isVisible());
    QVERIFY(!f->codeWindow->isModal());
    Click(f->Control("Label2"));
    QCOMPARE(f->mainWindow->visiblePage(), 2);
}

void MainWindowTest::bookmarkUsSplicesTypedText_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("name");
    QTest::newRow("both empty") << ""
                                << "";
    QTest::newRow("double quote") << "http://a.example/?q=\"x\""
                                  << "Joe's \"best\" site";
    QTest::newRow("blank padded") << "  http://b.example  "
                                  << " spaced ";
    QTest::newRow("markup") << "</script><b>"
                            << "a\\b & <i>";
    QTest::newRow("accented") << "http://c.example/caf\u00e9"
                              << "Caf\u00e9 \u00fcber";
}

// Types as a user would; keyClicks covers ASCII only, so other characters come as key events
// with their text.
void MainWindowTest::Type(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void MainWindowTest::bookmarkUsSplicesTypedText()
{
    QFETCH(QString, url);
    QFETCH(QString, name);
    Click(f->Control("Label2"));
    f->Control<QLineEdit>("Edit1")->clear();
    f->Control<QLineEdit>("Edit2")->clear();
    Type(f->Control<QLineEdit>("Edit1"), url);
    Type(f->Control<QLineEdit>("Edit2"), name);
    QCOMPARE(f->Control<QLineEdit>("Edit1")->text(), url);
    Click(f->Control("xpButton4"));

    const std::vector<std::string> lines = codeLines();
    QCOMPARE(lines.size(), std::size_t{29});
    // Escaped for the script string they land in.
    const std::vector<std::string> golden = GoldenLines("bookmark-us");
    QCOMPARE(lines[10], WithFieldText(golden[10], "http://www.example.com",
                                      gen::JsString(url.toStdString(), '"')));
    QCOMPARE(lines[11],
             WithFieldText(golden[11], "My cool site", gen::JsString(name.toStdString(), '"')));
}

void MainWindowTest::previewWritesFileAndOpensBrowser()
{
    Click(f->Control("Label2"));
    Click(f->Control("xpButton3"));
    QCOMPARE(f->reporter.messages, QStringList());

    const std::string path = f->Folder() + "preview.html";
    QCOMPARE(PreviewPath(), path);
    const std::string expected =
        gen::BookmarkUs({"http://www.example.com", "My cool site"}).TextForm();
    QCOMPARE(ReadBytes(path), expected);
    QCOMPARE(expected.substr(expected.size() - 2), std::string("\r\n"));

    QCOMPARE(f->shell.requests.size(), std::size_t{1});
    const platform::ShellRequest& launch = f->shell.requests[0];
    QCOMPARE(launch.owner, static_cast<const void*>(f->mainWindow.get()));
    QCOMPARE(launch.verb, std::string("open"));
    QCOMPARE(launch.file, std::string("iexplore.exe"));
    QCOMPARE(launch.parameters, "-new " + path + " ");
    QCOMPARE(launch.directory, std::string());
    QCOMPARE(launch.showCommand, platform::kShowNormal);

    // The buffer is emptied: the code window, opened now, shows nothing.
    QVERIFY(codeLines().empty());
    QVERIFY(f->codeWindow->codeText->toPlainText().isEmpty());
}

void MainWindowTest::previewReplacesEarlierFile()
{
    const std::string path = f->Folder() + "preview.html";
    WriteBytes(path, std::string(5000, 'x'));
    Click(f->Control("xpButton1"));
    const std::string first = ReadBytes(path);
    QCOMPARE(first, gen::BreakFrames().TextForm());
    Click(f->Control("xpButton1"));
    QCOMPARE(ReadBytes(path), first);
    QCOMPARE(f->shell.requests.size(), std::size_t{2});
}

void MainWindowTest::previewGoesWhereTheUserMayWrite_data()
{
    QTest::addColumn<QString>("program");  // the program's folder, in the scratch folder
    QTest::addColumn<QString>("runtime");  // $XDG_RUNTIME_DIR; empty: unset
    QTest::addColumn<QString>("cache");    // $XDG_CACHE_HOME
    QTest::addColumn<QString>("expected"); // the preview's folder; empty: refused
    QTest::newRow("program folder is a file") << "plain-file/"
                                              << "run"
                                              << "cache"
                                              << "run/sitewright/";
    QTest::newRow("program folder missing") << "missing/"
                                            << "run"
                                            << "cache"
                                            << "run/sitewright/";
    QTest::newRow("another user's program folder") << "theirs/"
                                                   << "run"
                                                   << "cache"
                                                   << "run/sitewright/";
    QTest::newRow("no runtime folder: the cache") << "missing/"
                                                  << ""
                                                  << "cache"
                                                  << "cache/sitewright/";
    QTest::newRow("nowhere to write") << "missing/"
                                      << ""
                                      << "plain-file"
                                      << "";
}

// An installed program's folder is not the user's to write: the preview goes to the user's own
// runtime or cache folder instead, and nothing is written beside the program. Where none can be
// made, the error is reported and the buffer kept.
void MainWindowTest::previewGoesWhereTheUserMayWrite()
{
    QFETCH(QString, program);
    QFETCH(QString, runtime);
    QFETCH(QString, cache);
    QFETCH(QString, expected);
    if (program == QLatin1String("theirs/") && geteuid() != 0)
        QSKIP("needs root to hand a folder to another user");
    WriteBytes(f->Folder() + "plain-file", "not a folder");
    QVERIFY(QDir().mkpath(QString::fromStdString(f->Folder() + "theirs")));
    QCOMPARE(chown((f->Folder() + "theirs").c_str(), 65534, 65534) == 0, geteuid() == 0);
    QVERIFY(QDir().mkpath(QString::fromStdString(f->Folder() + "run")));
    const QString scratch = QString::fromStdString(f->Folder());
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray oldCache = qgetenv("XDG_CACHE_HOME");
    const auto restore = qScopeGuard([&] {
        qputenv("XDG_RUNTIME_DIR", oldRuntime);
        qputenv("XDG_CACHE_HOME", oldCache);
    });
    if (runtime.isEmpty())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", (scratch + runtime).toUtf8());
    qputenv("XDG_CACHE_HOME", (scratch + cache).toUtf8());
    const std::string programFolder = f->Folder() + program.toStdString();
    const platform::ScopedExecutablePath elsewhere(programFolder + "sitewright");

    Click(f->Control("Label2"));
    Click(f->Control("xpButton3"));

    QVERIFY(!QFile::exists(QString::fromStdString(programFolder + "preview.html")));
    if (expected.isEmpty()) {
        QCOMPARE(f->reporter.messages.size(), 1);
        QCOMPARE(f->reporter.titles.at(0), QStringLiteral("Sitewright"));
        QVERIFY2(f->reporter.messages.at(0).contains(scratch + cache),
                 qPrintable(f->reporter.messages.at(0)));
        QCOMPARE(codeLines().size(), std::size_t{29});
        QVERIFY(f->shell.requests.empty());
        // The window goes on working.
        Click(f->Control("Label1"));
        QCOMPARE(f->mainWindow->visiblePage(), 1);
        return;
    }
    const std::string path = QString(scratch + expected).toStdString() + "preview.html";
    QCOMPARE(f->reporter.messages, QStringList());
    QCOMPARE(ReadBytes(path),
             gen::BookmarkUs({"http://www.example.com", "My cool site"}).TextForm());
    QCOMPARE(f->shell.requests.size(), std::size_t{1});
    QCOMPARE(f->shell.requests[0].parameters, "-new " + path + " ");
}

void MainWindowTest::linkLineOpensLinkUrl_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<int>("key"); // 0: a mouse click; else the key pressed with the focus there
    QTest::newRow("no address") << ""
                                << "-new  " << 0;
    QTest::newRow("address") << "http://maker.example/"
                             << "-new http://maker.example/ " << 0;
    QTest::newRow("address, Enter") << "http://maker.example/"
                                    << "-new http://maker.example/ " << int(Qt::Key_Return);
    QTest::newRow("address, Space") << "http://maker.example/"
                                    << "-new http://maker.example/ " << int(Qt::Key_Space);
}

void MainWindowTest::linkLineOpensLinkUrl()
{
    QFETCH(QString, url);
    QFETCH(QString, parameters);
    QFETCH(int, key);
    f->mainWindow->setLinkUrl(url.toStdString());
    if (key == 0) {
        Click(f->mainWindow->linkLine);
    } else {
        f->mainWindow->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->mainWindow.get()));
        const QImage unfocused = f->mainWindow->linkLine->grab().toImage();
        f->mainWindow->linkLine->setFocus(Qt::TabFocusReason);
        QVERIFY(f->mainWindow->linkLine->grab().toImage() != unfocused); // the focus shows
        QTest::keyClick(f->mainWindow->linkLine, Qt::Key(key));
    }
    QCOMPARE(f->shell.requests.size(), std::size_t{1});
    const platform::ShellRequest& launch = f->shell.requests[0];
    QCOMPARE(launch.owner, static_cast<const void*>(f->mainWindow.get()));
    QCOMPARE(launch.verb, std::string("open"));
    QCOMPARE(launch.file, std::string("iexplore.exe"));
    QCOMPARE(QString::fromStdString(launch.parameters), parameters);
    QCOMPARE(launch.directory, std::string());
}

namespace
{
class ThrowingObject : public QObject
{
public:
    bool event(QEvent*) override { throw std::runtime_error("Something broke."); }
};
} // namespace

void MainWindowTest::errorEscapingAnEventIsReported()
{
    ThrowingObject object;
    QEvent event(QEvent::User);
    QVERIFY(!QCoreApplication::sendEvent(&object, &event));
    QCOMPARE(f->reporter.titles, QStringList{QStringLiteral("Sitewright")});
    QCOMPARE(f->reporter.messages, QStringList{QStringLiteral("Something broke.")});
}

void MainWindowTest::closingMainWindowEndsProgram()
{
    f->codeWindow->show();
    QTimer::singleShot(0, f->mainWindow.get(), [this] { f->mainWindow->close(); });
    // Only there in case closing does not end the loop, so the test fails instead of hanging.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(20000);
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(f->mainWindow->isHidden());
    QVERIFY(f->codeWindow->isHidden());
}

int main(int argc, char* argv[])
{
    return RunAppTest<MainWindowTest>(argc, argv);
}

#include "main_window_test.moc"
