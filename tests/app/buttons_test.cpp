// Every button of both windows is the XP-style button, sized and styled alike, and still does
// its job when clicked with the mouse.
#include <QPlainTextEdit>
#include <QTest>

#include "app/code_window.h"
#include "app/main_window.h"
#include "tests/app/app_test_support.h"
#include "widgets/ui_fonts.h"
#include "widgets/xp_button.h"

class ButtonsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pageButtons_data();
    void pageButtons();
    void codeWindowButtons_data();
    void codeWindowButtons();
};

namespace
{

void VerifyStyle(const XpButton* button, const QRect& geometry, const char* caption)
{
    QVERIFY(button);
    QCOMPARE(button->geometry(), geometry);
    QCOMPARE(button->caption(), QString::fromLatin1(caption));
    QCOMPARE(button->captionFont().family(), ui::DialogFont(11).family());
    QCOMPARE(button->captionFont().pixelSize(), 11);
    QVERIFY(!button->captionFont().bold());
    QVERIFY(button->focusPolicy() & Qt::TabFocus);
}

} // namespace

void ButtonsTest::pageButtons_data()
{
    QTest::addColumn<int>("number");
    for (int n = 1; n <= 20; ++n)
        QTest::addRow("xpButton%d", n) << n;
}

// Odd buttons preview (one launch), even ones generate into the code window.
void ButtonsTest::pageButtons()
{
    QFETCH(int, number);
    AppFixture f;
    const int page = (number + 1) / 2;
    const bool preview = number % 2 == 1;
    f.mainWindow->showPage(page);
    auto* button = f.mainWindow->findChild<XpButton*>(QStringLiteral("xpButton%1").arg(number));
    const int y = page == 5 ? 184 : page == 2 || page == 3 || page == 10 ? 186 : 176;
    VerifyStyle(button, preview ? QRect(16, y, 89, 25) : QRect(264, y, 91, 25),
                preview ? "Preview" : "Generate Code");
    QCOMPARE(button->parentWidget(), f.mainWindow->pagePanel(page));

    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(f.reporter.messages, QStringList());
    if (preview) {
        QCOMPARE(f.shell.requests.size(), std::size_t{1});
        QVERIFY(f.codeWindow->codeText->toPlainText().isEmpty());
    } else {
        QVERIFY(f.shell.requests.empty());
        QVERIFY(f.codeWindow->isVisible());
        QVERIFY(!f.codeWindow->codeText->toPlainText().isEmpty());
    }
}

void ButtonsTest::codeWindowButtons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Select All") << "xpButton1" << QRect(64, 368, 81, 25) << "Select All";
    QTest::newRow("Copy") << "xpButton2" << QRect(160, 368, 81, 25) << "Copy";
    QTest::newRow("Save to File") << "xpButton3" << QRect(256, 368, 81, 25) << "Save to File";
    QTest::newRow("Close") << "xpButton4" << QRect(352, 368, 81, 25) << "Close";
}

void ButtonsTest::codeWindowButtons()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    AppFixture f;
    auto* button = f.codeWindow->findChild<XpButton*>(name);
    VerifyStyle(button, geometry, caption.toLatin1().constData());
    QCOMPARE(button->parentWidget(), f.codeWindow);
}

int main(int argc, char* argv[])
{
    return RunAppTest<ButtonsTest>(argc, argv);
}

#include "buttons_test.moc"
