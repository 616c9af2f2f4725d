#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/application.h"
#include "app/code_window.h"
#include "app/main_window.h"
#include "app_test_support.h"
#include "generators/bookmark_us.h"
#include "widgets/xp_button.h"

class CodeWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { f.reset(); }

    void windowAsDesigned();
    void controlsFollowTheWindowSize_data();
    void controlsFollowTheWindowSize();
    void saveDialogOpensWhereLastSaved();
    void buttonsAsDesigned_data();
    void buttonsAsDesigned();
    void linesRoundTrip_data();
    void linesRoundTrip();
    void selectAllThenCopyPutsWholeTextOnClipboard();
    void typedTextIsSavedAsShown_data();
    void typedTextIsSavedAsShown();
    void copyWithoutSelectionCopiesNothing();
    void saveToFileWritesTextForm_data();
    void saveToFileWritesTextForm();
    void saveToFileCancelledWritesNothing();
    void saveToFileUnwritableReportsError();
    void closeHidesAndKeepsLines();
    void madeOnFirstUse_data();
    void madeOnFirstUse();
    void keysDoWhatButtonsDo_data();
    void keysDoWhatButtonsDo();

private:
    void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    // Answers the save dialog, once it runs, with `path` (or cancels it when empty).
    void AnswerSaveDialog(const QString& path);
    // Saves through the dialog to `path` (or cancels when empty); returns where it opened.
    QString SaveAndTellFolder(const QString& path);

    std::unique_ptr<AppFixture> f;
    gen::CodeBuffer code;
};

void CodeWindowTest::init()
{
    f = std::make_unique<AppFixture>();
    code = gen::BookmarkUs({"http://www.example.com", "My \"cool\" site"});
    f->codeWindow->setCode(code);
    f->codeWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(f->codeWindow));
}

void CodeWindowTest::AnswerSaveDialog(const QString& path)
{
    QFileDialog* dialog = f->codeWindow->ensureSaveDialog();
    QTimer::singleShot(0, dialog, [dialog, path] {
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides it
    });
}

void CodeWindowTest::windowAsDesigned()
{
    CodeWindow& window = *f->codeWindow;
    QCOMPARE(window.windowTitle(), QStringLiteral("Source Code"));
    // 505 x 429 outside with a classic frame; the frame's outer corner at (180, 170).
    QCOMPARE(window.size(), QSize(497, 402));
    QCOMPARE(window.frameGeometry().topLeft(), QPoint(180, 170));
    QCOMPARE(window.font().pixelSize(), 11);
    QCOMPARE(window.codeText->geometry(), QRect(8, 8, 481, 345));
    QCOMPARE(window.textBevel->geometry(), QRect(0, 0, 497, 361));
    QCOMPARE(window.buttonBevel->geometry(), QRect(56, 366, 385, 35));
    QCOMPARE(window.codeText->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(window.codeText->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(window.codeText->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(window.ensureSaveDialog()->defaultSuffix(), QStringLiteral("html"));
    QCOMPARE(window.ensureSaveDialog()->nameFilters(),
             QStringList({QStringLiteral("Html (*.html)"), QStringLiteral("Text (*.txt)")}));
    QCOMPARE(window.minimumSize(), QSize(497, 402));
}

void CodeWindowTest::controlsFollowTheWindowSize_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("wider") << QSize(797, 402);
    QTest::newRow("taller") << QSize(497, 702);
    QTest::newRow("both, odd") << QSize(1000, 531);
    QTest::newRow("smaller than designed") << QSize(300, 200);
}

// The text area takes all the room the window gains; the buttons keep their size and order,
// centred in their frame at the bottom; back at the start size, everything is as designed.
void CodeWindowTest::controlsFollowTheWindowSize()
{
    QFETCH(QSize, size);
    CodeWindow& window = *f->codeWindow;
    const QList<XpButton*> buttons = {window.selectAllButton, window.copyButton, window.saveButton,
                                      window.closeButton};
    QList<QRect> designed;
    for (XpButton* button : buttons)
        designed << button->geometry();
    window.resize(size);
    const QRect client = window.rect();
    QCOMPARE(client.size(), size.expandedTo(QSize(497, 402)));
    QCOMPARE(window.textBevel->geometry(), QRect(0, 0, client.width(), client.height() - 41));
    QCOMPARE(window.codeText->geometry(), window.textBevel->geometry().adjusted(8, 8, -8, -8));
    const QRect row = window.buttonBevel->geometry();
    QCOMPARE(row.size(), QSize(385, 35));
    QCOMPARE(client.bottom() - row.bottom(), 1); // the designed gap below the row
    QVERIFY(qAbs(row.center().x() - client.center().x()) <= 1);
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        QCOMPARE(buttons[i]->size(), designed[i].size());
        QCOMPARE(buttons[i]->pos() - row.topLeft(), designed[i].topLeft() - QPoint(56, 366));
    }
    window.resize(497, 402);
    QCOMPARE(window.codeText->geometry(), QRect(8, 8, 481, 345));
    for (qsizetype i = 0; i < buttons.size(); ++i)
        QCOMPARE(buttons[i]->geometry(), designed[i]);
}

// The dialog opens in the folder of the last file saved, also after a restart, and in the
// documents folder when there is none or it is gone.
void CodeWindowTest::saveDialogOpensWhereLastSaved()
{
    const QString scratch = QString::fromStdString(f->dir.path().string());
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", scratch.toUtf8());
    const auto restoreHome = qScopeGuard([home] { qputenv("HOME", home); });
    QVERIFY(QDir(scratch).mkpath(QStringLiteral("Documents")));
    QVERIFY(QDir(scratch).mkpath(QStringLiteral("site/pages")));
    const QString documents = scratch + QStringLiteral("/Documents");
    const QString pages = scratch + QStringLiteral("/site/pages");

    QCOMPARE(SaveAndTellFolder(pages + QStringLiteral("/a.html")), documents);
    QCOMPARE(SaveAndTellFolder(QString()), pages); // cancelled: nothing new to remember
    QVERIFY(QFile(scratch + QStringLiteral("/plain-file")).open(QIODevice::WriteOnly));
    QCOMPARE(SaveAndTellFolder(scratch + QStringLiteral("/plain-file/b.html")), pages);
    QCOMPARE(f->reporter.messages.size(), 1); // a file is in the way: nothing saved
    f->Restart();
    QCOMPARE(SaveAndTellFolder(QString()), pages);
    QVERIFY(QDir(pages).removeRecursively());
    QCOMPARE(SaveAndTellFolder(QString()), documents);
}

QString CodeWindowTest::SaveAndTellFolder(const QString& path)
{
    QFileDialog* dialog = f->codeWindow->ensureSaveDialog();
    QString opened;
    QTimer::singleShot(0, dialog, [dialog, path, &opened] {
        opened = dialog->directory().absolutePath();
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
    });
    Click(f->codeWindow->saveButton);
    return opened;
}

void CodeWindowTest::buttonsAsDesigned_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("x");
    QTest::addColumn<QString>("caption");
    QTest::newRow("select all") << "xpButton1" << 64 << "Select All";
    QTest::newRow("copy") << "xpButton2" << 160 << "Copy";
    QTest::newRow("save") << "xpButton3" << 256 << "Save to File";
    QTest::newRow("close") << "xpButton4" << 352 << "Close";
}

void CodeWindowTest::buttonsAsDesigned()
{
    QFETCH(QString, name);
    QFETCH(int, x);
    QFETCH(QString, caption);
    auto* button = f->codeWindow->findChild<XpButton*>(name);
    QVERIFY(button);
    QCOMPARE(button->geometry(), QRect(x, 368, 81, 25));
    QCOMPARE(button->caption(), caption);
}

void CodeWindowTest::linesRoundTrip_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty buffer") << QStringList();
    QTest::newRow("empty lines kept") << QStringList({"a", "", "", "b", ""});
    QTest::newRow("blanks kept") << QStringList({"  x  ", " "});
    QTest::newRow("non-breaking space kept") << QStringList({"a\u00a0b"});
    QTest::newRow("accented") << QStringList({"caf\u00e9"});
    QTest::newRow("one empty line") << QStringList({""});
    QTest::newRow("two empty lines") << QStringList({"", ""});
    QTest::newRow("beyond the first plane") << QStringList({"\u6f22\u5b57 \U0001F600"});
    QTest::newRow("very long line") << QStringList({QString(200000, QLatin1Char('w')), "end"});
}

void CodeWindowTest::linesRoundTrip()
{
    QFETCH(QStringList, lines);
    gen::CodeBuffer buffer;
    std::vector<std::string> bytes;
    for (const QString& line : lines) {
        bytes.push_back(line.toStdString());
        buffer.Append(bytes.back());
    }
    f->codeWindow->setCode(buffer);
    QCOMPARE(f->codeWindow->lines(), bytes);
    QCOMPARE(f->codeWindow->crlfText(), buffer.TextForm());
}

void CodeWindowTest::selectAllThenCopyPutsWholeTextOnClipboard()
{
    f->codeWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f->codeWindow));
    Click(f->codeWindow->selectAllButton);
    QVERIFY(f->codeWindow->codeText->hasFocus());
    Click(f->codeWindow->copyButton);
    // The whole text: every line with its CR LF, the last line's included.
    QCOMPARE(QGuiApplication::clipboard()->text().toStdString(), code.TextForm());
}

void CodeWindowTest::typedTextIsSavedAsShown_data()
{
    QTest::addColumn<QStringList>("keys"); // text to type; "<Enter>" and "<Shift+Enter>" keys
    QTest::addColumn<QByteArray>("saved");
    QTest::addColumn<QByteArray>("copied"); // after Select All and Copy
    QTest::newRow("one line, no line end")
        << QStringList{"ab"} << QByteArray("ab\r\n") << QByteArray("ab");
    QTest::newRow("one line with its line end")
        << QStringList{"ab", "<Enter>"} << QByteArray("ab\r\n") << QByteArray("ab\r\n");
    QTest::newRow("one empty line")
        << QStringList{"<Enter>"} << QByteArray("\r\n") << QByteArray("\r\n");
    QTest::newRow("empty line between") << QStringList{"a", "<Enter>", "<Enter>", "b"}
                                        << QByteArray("a\r\n\r\nb\r\n") << QByteArray("a\r\n\r\nb");
    QTest::newRow("Shift+Enter breaks the line too")
        << QStringList{"ab", "<Shift+Enter>", "cd"} << QByteArray("ab\r\ncd\r\n")
        << QByteArray("ab\r\ncd");
    QTest::newRow("non-ASCII as UTF-8")
        << QStringList{"caf\u00e9 \u20ac"} << QByteArray("caf\xc3\xa9 \xe2\x82\xac\r\n")
        << QByteArray("caf\xc3\xa9 \xe2\x82\xac");
}

// What the user typed into the code window is saved line by line as it shows there.
void CodeWindowTest::typedTextIsSavedAsShown()
{
    QFETCH(QStringList, keys);
    QFETCH(QByteArray, saved);
    QFETCH(QByteArray, copied);
    f->codeWindow->clearCode();
    f->codeWindow->codeText->setFocus();
    for (const QString& key : keys) {
        if (key == QLatin1String("<Enter>") || key == QLatin1String("<Shift+Enter>")) {
            QTest::keyClick(f->codeWindow->codeText, Qt::Key_Return,
                            key.startsWith(QLatin1String("<Shift")) ? Qt::ShiftModifier
                                                                    : Qt::NoModifier);
            continue;
        }
        for (const QChar c : key)
            QTest::sendKeyEvent(QTest::Click, f->codeWindow->codeText, Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
    }
    const std::string path = f->Folder() + "typed.html";
    AnswerSaveDialog(QString::fromStdString(path));
    Click(f->codeWindow->saveButton);
    QCOMPARE(f->reporter.messages, QStringList());
    QCOMPARE(QByteArray::fromStdString(ReadBytes(path)), saved);
    QCOMPARE(QByteArray::fromStdString(f->codeWindow->crlfText()), saved);

    Click(f->codeWindow->selectAllButton);
    Click(f->codeWindow->copyButton);
    QCOMPARE(QGuiApplication::clipboard()->text().toUtf8(), copied);
}

void CodeWindowTest::copyWithoutSelectionCopiesNothing()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    Click(f->codeWindow->copyButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
}

void CodeWindowTest::saveToFileWritesTextForm_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<bool>("existing");
    QTest::newRow("html name") << "code.html"
                               << "code.html" << false;
    QTest::newRow("text name") << "code.txt"
                               << "code.txt" << false;
    QTest::newRow("no extension") << "code"
                                  << "code.html" << false;
    QTest::newRow("replaces longer file") << "old.html"
                                          << "old.html" << true;
}

void CodeWindowTest::saveToFileWritesTextForm()
{
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    QFETCH(bool, existing);
    const std::string savedPath = f->Folder() + saved.toStdString();
    if (existing)
        WriteBytes(savedPath, std::string(10000, '#'));
    AnswerSaveDialog(QString::fromStdString(f->Folder()) + typed);
    Click(f->codeWindow->saveButton);
    QCOMPARE(f->reporter.messages, QStringList());
    QCOMPARE(ReadBytes(savedPath), code.TextForm());
}

void CodeWindowTest::saveToFileCancelledWritesNothing()
{
    AnswerSaveDialog(QString());
    Click(f->codeWindow->saveButton);
    QCOMPARE(QDir(QString::fromStdString(f->dir.path().string())).entryList(QDir::Files),
             QStringList());
    QCOMPARE(f->reporter.messages, QStringList());
}

void CodeWindowTest::saveToFileUnwritableReportsError()
{
    WriteBytes(f->Folder() + "plain-file", "not a folder");
    const std::string path = f->Folder() + "plain-file/code.html";
    AnswerSaveDialog(QString::fromStdString(path));
    Click(f->codeWindow->saveButton);
    QCOMPARE(f->reporter.messages.size(), 1);
    QVERIFY(f->reporter.messages.at(0).startsWith(
        QString::fromStdString("Cannot create file \"" + path + "\". ")));
    QCOMPARE(f->codeWindow->lines(), code.Lines());
}

void CodeWindowTest::closeHidesAndKeepsLines()
{
    Click(f->codeWindow->closeButton);
    QVERIFY(f->codeWindow->isHidden());
    QCOMPARE(f->codeWindow->lines(), code.Lines());
    QVERIFY(f->mainWindow->isVisible());
}

void CodeWindowTest::madeOnFirstUse_data()
{
    QTest::addColumn<bool>("generate");
    QTest::addColumn<bool>("shown");
    QTest::newRow("Generate Code shows the new window") << true << true;
    QTest::newRow("Preview fills and empties it unseen") << false << false;
}

// Without a code window, a page button makes the one the program uses from then on.
void CodeWindowTest::madeOnFirstUse()
{
    QFETCH(bool, generate);
    QFETCH(bool, shown);
    MainWindow window;
    QVERIFY(!window.madeCodeWindow());
    Click(window.findChild<QWidget*>(generate ? QStringLiteral("xpButton2")
                                              : QStringLiteral("xpButton1")));
    CodeWindow* made = window.madeCodeWindow();
    QVERIFY(made);
    QCOMPARE(&window.codeWindow(), made);
    QCOMPARE(made->isVisible(), shown);
    QCOMPARE(made->lines().empty(), !generate);
    QCOMPARE(f->reporter.messages, QStringList());
}

void CodeWindowTest::keysDoWhatButtonsDo_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("action");
    for (const char* focus : {"Memo1", "xpButton4"}) {
        for (const char* action : {"escape", "select all and copy", "save"})
            QTest::addRow("%s in %s", action, focus) << focus << action;
    }
}

// The same in the text and on a button; Copy with CR LF even where the text control would
// copy bare line feeds.
void CodeWindowTest::keysDoWhatButtonsDo()
{
    QFETCH(QString, focus);
    QFETCH(QString, action);
    CodeWindow& window = *f->codeWindow;
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.findChild<QWidget*>(focus)->setFocus();
    QGuiApplication::clipboard()->clear();
    const auto key = [](QKeySequence::StandardKey keys) {
        const QKeyCombination combination = QKeySequence(keys)[0];
        QTest::keyClick(QApplication::focusWidget(), combination.key(),
                        combination.keyboardModifiers());
    };
    if (action == "escape") {
        key(QKeySequence::Cancel);
        QVERIFY(window.isHidden());
        QCOMPARE(window.lines(), code.Lines());
    } else if (action == "select all and copy") {
        key(QKeySequence::SelectAll);
        QVERIFY(window.codeText->hasFocus());
        key(QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text().toStdString(), code.TextForm());
    } else {
        const std::string path = f->Folder() + "keys.html";
        AnswerSaveDialog(QString::fromStdString(path));
        key(QKeySequence::Save);
        QCOMPARE(ReadBytes(path), code.TextForm());
    }
    QCOMPARE(f->reporter.messages, QStringList());
}

int main(int argc, char* argv[])
{
    return RunAppTest<CodeWindowTest>(argc, argv);
}

#include "code_window_test.moc"
