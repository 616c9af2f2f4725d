// The edition choice of the main window, the browser labels' tooltips and the code window's
// status note: what the user sees, what the buttons produce, and what is remembered.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

#include "app/code_window.h"
#include "app/edition_choice.h"
#include "app/main_window.h"
#include "app/page_actions.h"
#include "app/page_layout.h"
#include "app/policy_copy.h"
#include "app/snippet_status.h"
#include "app_test_support.h"
#include "generators/compatibility.h"
#include "generators/edition.h"
#include "tests/support/file_bytes.h"
#include "widgets/xp_button.h"

class EditionTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { f = std::make_unique<AppFixture>(); }
    void cleanup() { f.reset(); }

    void browserLabelKeepsTextAndTellsTheSentence_data();
    void browserLabelKeepsTextAndTellsTheSentence();
    void choiceIsVisibleOnEveryPageAndCoversNothing();
    void choiceIsToggledByItsAccessKey();
    void choiceAppliesToPreviewAndGenerate_data();
    void choiceAppliesToPreviewAndGenerate();
    void choiceIsRememberedAcrossARestart();
    void codeWindowStatusHasALineOfItsOwn();

private:
    XpButton* Button(int number) const
    {
        return f->mainWindow->findChild<XpButton*>(QStringLiteral("xpButton%1").arg(number));
    }
    std::unique_ptr<AppFixture> f;
};

void EditionTest::browserLabelKeepsTextAndTellsTheSentence_data()
{
    QTest::addColumn<int>("page");
    for (const gen::GadgetEntry& gadget : gen::GadgetTable())
        QTest::addRow("%s", gadget.id.data()) << gadget.page;
}

void EditionTest::browserLabelKeepsTextAndTellsTheSentence()
{
    QFETCH(int, page);
    f->mainWindow->showPage(page);
    const gen::GadgetEntry& gadget = *gen::GadgetOfPage(page);
    for (const pages::LabelRow& row : pages::PageLayoutOf(page).labels) {
        if (row.style != pages::TextStyle::Support)
            continue;
        const QLabel* label =
            f->mainWindow->pagePanel(page)->findChild<QLabel*>(QString::fromUtf8(row.name));
        QVERIFY(label);
        QCOMPARE(label->objectName(), QString::fromUtf8(row.name.data(), row.name.size()));
        QCOMPARE(label->text(), QString::fromUtf8(row.text.data(), row.text.size()));
        QCOMPARE(label->pos(), QPoint(row.place.x, row.place.y));
        QCOMPARE(label->toolTip().toStdString(), gadget.compatibility.sentence);
        return;
    }
    QFAIL("the page has no browser label");
}

// Over the page area, the choice must not sit on any of the page's controls, and no control
// may hide it, on whichever page is shown.
void EditionTest::choiceIsVisibleOnEveryPageAndCoversNothing()
{
    EditionChoice* choice = f->mainWindow->editionChoice;
    QVERIFY(choice);
    QCOMPARE(choice->text(), QStringLiteral("&Today's edition"));
    QVERIFY(choice->sizeHint().width() <= choice->width());
    for (int page = 1; page <= f->mainWindow->pageCount(); ++page) {
        f->mainWindow->showPage(page);
        QVERIFY(choice->isVisible());
        QCOMPARE(f->mainWindow->childAt(choice->geometry().center()), choice);
        QWidget* panel = f->mainWindow->pagePanel(page);
        const QRect place =
            choice->geometry().translated(-panel->mapTo(f->mainWindow.get(), QPoint(0, 0)));
        QVERIFY(panel->rect().contains(place));
        for (QWidget* control : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(
                !control->geometry().intersects(place),
                qPrintable(QStringLiteral("page %1: %2").arg(page).arg(control->objectName())));
    }
}

// Alt+T works from a field of any page, both ways; Tab stays within the page.
void EditionTest::choiceIsToggledByItsAccessKey()
{
    EditionChoice* choice = f->mainWindow->editionChoice;
    f->mainWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f->mainWindow.get()));
    for (int page : {2, 10}) {
        f->mainWindow->showPage(page);
        Button(2 * page)->setFocus();
        const gen::Edition before = choice->edition();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::AltModifier);
        QVERIFY(choice->edition() != before);
    }
    QCOMPARE(choice->edition(), gen::Edition::Classic);
    QVERIFY(!(choice->focusPolicy() & Qt::TabFocus));
}

void EditionTest::choiceAppliesToPreviewAndGenerate_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("today");
    for (int page : {2, 3, 10})
        for (bool today : {false, true})
            QTest::addRow("page %d %s", page, today ? "today" : "classic") << page << today;
}

void EditionTest::choiceAppliesToPreviewAndGenerate()
{
    QFETCH(int, page);
    QFETCH(bool, today);
    const gen::GadgetEntry& gadget = *gen::GadgetOfPage(page);
    const gen::Edition edition = today ? gen::Edition::Today : gen::Edition::Classic;
    const std::string expected =
        gen::GenerateEdition(gadget, gen::DefaultValues(gadget), edition).TextForm();
    f->mainWindow->showPage(page);
    if (today)
        QTest::mouseClick(f->mainWindow->editionChoice, Qt::LeftButton);
    QCOMPARE(f->mainWindow->editionChoice->isChecked(), today);

    QTest::mouseClick(Button(2 * page), Qt::LeftButton); // Generate Code
    QCOMPARE(f->codeWindow->crlfText(), expected);
    const gen::Compatibility& c = gadget.compatibility;
    const QString status = f->codeWindow->snippetStatus->text();
    QVERIFY(status.startsWith(today ? QStringLiteral("Today's") : QStringLiteral("Classic")));
    QVERIFY(
        status.endsWith(QString::fromUtf8(gen::SupportWord(today ? c.today : c.classic).data())));
    // What a policy must admit, from the status line's menu and in its tooltip.
    QApplication::clipboard()->clear();
    f->codeWindow->policyCopy->copyAction->trigger();
    const QString sources = QApplication::clipboard()->text();
    QVERIFY2(sources.startsWith(QStringLiteral("script-src ")), qPrintable(sources));
    QCOMPARE(sources.contains(QStringLiteral("'unsafe-inline'")), !today);
    QVERIFY(f->codeWindow->snippetStatus->toolTip().endsWith(sources.trimmed()));

    QTest::mouseClick(Button(2 * page - 1), Qt::LeftButton); // Preview
    QCOMPARE(ReadBytes(PreviewPath()), expected);
    QCOMPARE(f->codeWindow->snippetStatus->text(), QString()); // the buffer is gone
}

void EditionTest::choiceIsRememberedAcrossARestart()
{
    QVERIFY(!f->mainWindow->editionChoice->isChecked()); // nothing remembered yet
    for (bool today : {true, false}) {
        f->mainWindow->editionChoice->setChecked(today);
        f->Restart();
        QCOMPARE(f->mainWindow->editionChoice->edition(),
                 today ? gen::Edition::Today : gen::Edition::Classic);
    }
    // Kept in the scratch folder the settings were pointed at, nowhere else.
    QVERIFY(QFile::exists(QString::fromStdString(f->dir.File("Sitewright/Sitewright.conf"))));
}

// Every status the note can show fits in one line of its own above the code, at the window's
// designed size; without a status the line is gone and the code has the whole text area.
void EditionTest::codeWindowStatusHasALineOfItsOwn()
{
    CodeWindow& window = *f->codeWindow;
    SnippetStatus* note = window.snippetStatus;
    QPlainTextEdit* memo = window.codeText;
    const QRect fullText = memo->viewport()->geometry();
    QVERIFY(note->isHidden());
    const QFontMetrics metrics(note->font());
    for (const gen::GadgetEntry& g : gen::GadgetTable())
        for (gen::Edition e : {gen::Edition::Classic, gen::Edition::Today}) {
            note->showFor(g, e);
            QVERIFY(!note->isHidden());
            QCOMPARE(note->parentWidget(), memo);
            const QRect line = note->geometry();
            const QRect text = memo->viewport()->geometry();
            QCOMPARE(line.bottom() + 1, text.top());
            QCOMPARE(line.left(), text.left());
            QCOMPARE(line.width(), text.width());
            QVERIFY(line.height() >= metrics.height());
            QVERIFY2(metrics.horizontalAdvance(note->text()) <=
                         note->contentsRect().width() - note->indent(),
                     qPrintable(note->text()));
            QVERIFY(!note->text().contains(QLatin1Char('\n')));
            QVERIFY(!note->toolTip().isEmpty());
        }
    QCOMPARE(memo->geometry(), QRect(8, 8, 481, 345));
    note->clearStatus();
    QVERIFY(note->isHidden());
    QCOMPARE(memo->viewport()->geometry(), fullText);
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sitewright"));
    EditionTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "edition_test.moc"
