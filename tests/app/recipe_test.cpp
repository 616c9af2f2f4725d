// Recipes in the program: open, edit, save, drop, the title, the question on close, broken
// recipes, and the same snippets as sitewright-gen makes from the same recipe.
#include <QAction>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QMimeData>
#include <QSettings>
#include <QTest>
#include <QUrl>
#include <memory>
#include <sstream>

#include "app/code_window.h"
#include "app/edition_choice.h"
#include "app/main_window.h"
#include "app/page_actions.h"
#include "app/recent_recipes.h"
#include "app/recipe_actions.h"
#include "app/recipe_dialogs.h"
#include "app/stamp_choice.h"
#include "app_test_support.h"
#include "cli/dispatch.h"
#include "generators/edition.h"
#include "generators/field_check.h"
#include "generators/stamp.h"
#include "recipe/recipe.h"
#include "tests/support/file_bytes.h"

class RecipeTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { f = std::make_unique<AppFixture>(); }
    void cleanup() { f.reset(); }

    void openEditSaveKeepsWhatThePagesDoNotShow();
    void newRecipeHoldsEveryPage();
    void droppedRecipeOpens();
    void brokenRecipeChangesNoPage_data();
    void brokenRecipeChangesNoPage();
    void closingWithUnsavedChangesAsks();
    void programAndCommandLineMakeTheSameSnippets_data();
    void programAndCommandLineMakeTheSameSnippets();
    void stampChoiceIsRememberedAndReachable();
    void pageOpensAsTheRecipeOfItsStamps();
    void pageIsNeverSavedOver_data();
    void pageIsNeverSavedOver();
    void aValueTheRecipeWouldRefuseIsNotSaved();

private:
    RecipeActions& Actions() { return *f->mainWindow->findChild<RecipeActions*>(); }
    QString Path(const char* name) const { return QString::fromStdString(f->dir.File(name)); }
    void Retype(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    void generatePageCode(int page) { f->mainWindow->generatePageCode(page); }
    CodeWindow& codeWindow() { return *f->codeWindow; }
    bool stampChosen() const { return f->mainWindow->stampChosen(); }

    std::unique_ptr<AppFixture> f;
};

namespace
{

const char* const kSite = "{\n"
                          "  \"format\": 1,\n"
                          "  \"snippets\": [\n"
                          "    {\n"
                          "      \"gadget\": \"popup-page\",\n"
                          "      \"edition\": \"today\",\n"
                          "      \"values\": {\n"
                          "        \"url\": \"http://example.org/\\\"</script>\",\n"
                          "        \"seconds\": \"007\"\n"
                          "      },\n"
                          "      \"output\": \"popup.html\",\n"
                          "      \"note\": \"kept\"\n"
                          "    },\n"
                          "    {\n"
                          "      \"gadget\": \"popup-page\",\n"
                          "      \"edition\": \"classic\",\n"
                          "      \"values\": {\n"
                          "        \"width\": \"1\"\n"
                          "      }\n"
                          "    }\n"
                          "  ],\n"
                          "  \"owner\": \"me\"\n"
                          "}\n";

} // namespace

void RecipeTest::openEditSaveKeepsWhatThePagesDoNotShow()
{
    const QString path = QString::fromStdString(f->dir.Write("site.json", kSite));
    ScopedRecipeDialogs answers({[path] { return path; }, {}, {}});
    QTest::keyClick(f->mainWindow.get(), Qt::Key_O, Qt::ControlModifier);
    f->mainWindow->showPage(10);
    QCOMPARE(f->Control<QLineEdit>("Edit12")->text(),
             QStringLiteral("http://example.org/\"</script>"));
    QCOMPARE(f->Control<QLineEdit>("Edit14")->text(), QStringLiteral("500"));
    QVERIFY(f->mainWindow->editionChoice->isChecked());
    QCOMPARE(f->mainWindow->windowTitle(), QStringLiteral("site.json[*] - Sitewright"));
    QVERIFY(!f->mainWindow->isWindowModified());
    QCOMPARE(RecentRecipes::list().value(0), path);

    Retype(f->Control<QLineEdit>("Edit14"), QStringLiteral("640"));
    QVERIFY(f->mainWindow->isWindowModified());
    QTest::keyClick(f->mainWindow.get(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!f->mainWindow->isWindowModified());
    std::string expected = kSite;
    expected.replace(expected.find("        \"seconds\""), 0, "        \"width\": \"640\",\n");
    // Canonical order puts width before seconds; the second entry and unknown keys stay.
    expected = recipe::WriteRecipe(recipe::ParseRecipe(expected));
    QCOMPARE(ReadBytes(path.toStdString()), expected);
    QVERIFY(expected.find("\"seconds\": \"007\"") != std::string::npos);
    QVERIFY(f->reporter.messages.isEmpty());
}

void RecipeTest::newRecipeHoldsEveryPage()
{
    const QString path = Path("new.json");
    ScopedRecipeDialogs answers({{}, [path] { return path; }, {}});
    f->mainWindow->showPage(2);
    Retype(f->Control<QLineEdit>("Edit2"), QStringLiteral("Caf"));
    f->Control<QLineEdit>("Edit2")->insert(QStringLiteral("\u00e9 \"A\""));
    QCOMPARE(f->mainWindow->windowTitle(), QStringLiteral("Sitewright[*]"));
    QTest::keyClick(f->mainWindow.get(), Qt::Key_S, Qt::ControlModifier);
    const recipe::Recipe saved = recipe::ParseRecipe(ReadBytes(path.toStdString()));
    QCOMPARE(saved.snippets.size(), gen::GadgetTable().size());
    for (std::size_t i = 0; i < saved.snippets.size(); ++i)
        QCOMPARE(saved.snippets[i].gadget, std::string(gen::GadgetTable()[i].id));
    QCOMPARE(*saved.snippets[1].Value("site-name"), std::string("Caf\xC3\xA9 \"A\""));
    QCOMPARE(f->mainWindow->windowTitle(), QStringLiteral("new.json[*] - Sitewright"));
}

void RecipeTest::droppedRecipeOpens()
{
    const QString path = QString::fromStdString(f->dir.Write("site.json", kSite));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint at(100, 100);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f->mainWindow.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f->mainWindow.get(), &drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(Actions().path(), path);
    f->mainWindow->showPage(10);
    QCOMPARE(f->Control<QLineEdit>("Edit13")->text(), QStringLiteral("007"));
}

void RecipeTest::brokenRecipeChangesNoPage_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown option")
        << QByteArray("{\"format\": 1, \"snippets\": [{\"gadget\": \"bookmark-us\"}, {\"gadget\": "
                      "\"popup-page\", \"values\": {\"widht\": \"1\"}}]}")
        << QStringLiteral("site.json: snippets[1].values.widht: no such option for popup-page "
                          "(did you mean width?)");
    QTest::newRow("malformed") << QByteArray("{\"format\": 1,\n \"snippets\": [\n  {]}")
                               << QStringLiteral("site.json: line 3, column 4: syntax error while "
                                                 "parsing object key - unexpected ']'; expected "
                                                 "string literal");
}

void RecipeTest::brokenRecipeChangesNoPage()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    f->mainWindow->showPage(2);
    Retype(f->Control<QLineEdit>("Edit2"), QStringLiteral("typed"));
    const QString title = f->mainWindow->windowTitle();
    QVERIFY(!Actions().openRecipe(
        QString::fromStdString(f->dir.Write("site.json", bytes.toStdString()))));
    QCOMPARE(f->reporter.messages, QStringList{message});
    QCOMPARE(f->Control<QLineEdit>("Edit2")->text(), QStringLiteral("typed"));
    QCOMPARE(f->mainWindow->windowTitle(), title);
    QVERIFY(Actions().path().isEmpty());
}

void RecipeTest::closingWithUnsavedChangesAsks()
{
    int asked = 0;
    ScopedRecipeDialogs answers({{}, {}, [&asked] {
                                     ++asked;
                                     return UnsavedAnswer::Cancel;
                                 }});
    f->mainWindow->showPage(2);
    Retype(f->Control<QLineEdit>("Edit1"), QStringLiteral("x"));
    QVERIFY(!f->mainWindow->close());
    QCOMPARE(asked, 1);
    QVERIFY(f->mainWindow->isVisible());
}

void RecipeTest::programAndCommandLineMakeTheSameSnippets_data()
{
    QTest::addColumn<QString>("edition");
    QTest::addColumn<bool>("stamped");
    QTest::newRow("classic") << QStringLiteral("classic") << false;
    QTest::newRow("today") << QStringLiteral("today") << false;
    QTest::newRow("classic stamped") << QStringLiteral("classic") << true;
    QTest::newRow("today stamped") << QStringLiteral("today") << true;
}

// Every gadget with every field a hostile text where the field takes one. The program's fields
// hold one line (a line break opens as a blank), so the text here has none; the core's round trip
// covers line breaks.
void RecipeTest::programAndCommandLineMakeTheSameSnippets()
{
    QFETCH(QString, edition);
    QFETCH(bool, stamped);
    f->mainWindow->findChild<StampChoice*>()->action->setChecked(stamped);
    const std::string hostile = "\"quote\" </script>\t<b>\xC3\xA9</b>";
    recipe::Recipe r;
    for (const gen::GadgetEntry& gadget : gen::GadgetTable()) {
        recipe::Entry entry;
        entry.gadget = std::string(gadget.id);
        entry.edition = *gen::ParseEdition(edition.toStdString());
        gen::FieldValues values = gen::DefaultValues(gadget);
        for (std::size_t i = 0; i < gadget.fields.size(); ++i) {
            // A spin box holds the number a text stands for, and a stamp records what the page
            // holds; the snippet below the stamp is the same either way.
            if (stamped && gadget.fields[i].kind == gen::FieldKind::Number)
                continue;
            values[i] = hostile;
            try {
                gen::GenerateEdition(gadget, values, entry.edition);
                entry.SetValue(gadget.fields[i].option, hostile);
            } catch (const gen::FieldError&) {
                values[i] = gen::DefaultValues(gadget)[i];
            }
        }
        entry.output = std::string(gadget.id) + ".html";
        entry.stamp = stamped;
        r.snippets.push_back(entry);
    }
    const std::string file = f->dir.Write("all.json", recipe::WriteRecipe(r));
    std::ostringstream out, err;
    QCOMPARE(cli::RunSitewrightGen({"--recipe", file}, out, err), cli::kExitOk);
    QVERIFY(Actions().openRecipe(QString::fromStdString(file)));
    for (const gen::GadgetEntry& gadget : gen::GadgetTable()) {
        generatePageCode(gadget.page);
        QCOMPARE(codeWindow().crlfText(), ReadBytes(f->dir.File(std::string(gadget.id) + ".html")));
    }
}

void RecipeTest::stampChoiceIsRememberedAndReachable()
{
    QAction* action = f->mainWindow->findChild<StampChoice*>()->action;
    QVERIFY(!action->isChecked());
    QVERIFY(f->mainWindow->menuPanel->actions().contains(action));
    for (int page = 1; page <= static_cast<int>(gen::GadgetTable().size()); ++page)
        QVERIFY(f->mainWindow->pagePanel(page)->actions().contains(action));
    QTest::keyClick(f->mainWindow.get(), Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(action->isChecked());
    QVERIFY(stampChosen());
    // The next run starts with the choice.
    const QSettings settings(QStringLiteral("Sitewright"), QStringLiteral("Sitewright"));
    QCOMPARE(settings.value(QString::fromLatin1(StampChoice::kSettingsKey)).toBool(), true);
}

namespace
{

// A page with a classic snippet and two stamped ones, the first a today's edition popup.
std::string StampedPage(const std::string& url)
{
    const gen::GadgetEntry& popup = *gen::FindGadget("popup-page");
    const gen::GadgetEntry& bookmark = *gen::FindGadget("bookmark-us");
    gen::FieldValues values = gen::DefaultValues(popup);
    values[0] = url;
    gen::FieldValues site = gen::DefaultValues(bookmark);
    site[1] = "Caf\xC3\xA9"; // the site's name
    return "<html><body>\n" +
           gen::GenerateEdition(bookmark, gen::DefaultValues(bookmark), gen::Edition::Classic)
               .TextForm() +
           "<p>text</p>\n" + gen::StampedEdition(popup, values, gen::Edition::Today).TextForm() +
           gen::StampedEdition(bookmark, site, gen::Edition::Classic).TextForm() +
           "</body></html>\n";
}

} // namespace

void RecipeTest::pageOpensAsTheRecipeOfItsStamps()
{
    const std::string bytes = StampedPage("http://example.org/\"</script>");
    const QString page = QString::fromStdString(f->dir.Write("index.html", bytes));
    ScopedRecipeDialogs answers(
        {[page] { return page; }, [this] { return Path("index.json"); }, {}});
    QTest::keyClick(f->mainWindow.get(), Qt::Key_O, Qt::ControlModifier);
    QVERIFY(f->reporter.messages.isEmpty());
    QCOMPARE(f->mainWindow->visiblePage(), gen::FindGadget("popup-page")->page);
    QCOMPARE(f->Control<QLineEdit>("Edit12")->text(),
             QStringLiteral("http://example.org/\"</script>"));
    QVERIFY(f->mainWindow->editionChoice->isChecked());
    QCOMPARE(f->mainWindow->windowTitle(), QStringLiteral("index.html[*] - Sitewright"));
    QVERIFY(Actions().path().isEmpty());

    QTest::keyClick(f->mainWindow.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(ReadBytes(page.toStdString()), bytes);
    QCOMPARE(Actions().path(), Path("index.json"));
    // The saved recipe holds the page's stamped snippets only, and regenerates them.
    const recipe::Recipe saved = recipe::ParseRecipe(ReadBytes(f->dir.File("index.json")));
    QCOMPARE(saved.snippets.size(), std::size_t(2));
    QVERIFY(saved.snippets[0].stamp && saved.snippets[1].stamp);
    QCOMPARE(*saved.snippets[1].Value("site-name"), std::string("Caf\xC3\xA9"));
}

void RecipeTest::pageIsNeverSavedOver_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("same page") << QStringLiteral("index.html")
                               << QStringLiteral("index.html: a recipe is saved as a .json file, "
                                                 "never over a web page");
    QTest::newRow("other page") << QStringLiteral("other.HTM")
                                << QStringLiteral("other.HTM: a recipe is saved as a .json file, "
                                                  "never over a web page");
}

void RecipeTest::pageIsNeverSavedOver()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    const std::string bytes = StampedPage("http://example.org/");
    const QString page = QString::fromStdString(f->dir.Write("index.html", bytes));
    QVERIFY(Actions().openRecipe(page));
    const QString target = Path(name.toUtf8().constData());
    ScopedRecipeDialogs answers({{}, [target] { return target; }, {}});
    QVERIFY(!Actions().saveRecipe());
    QCOMPARE(f->reporter.messages, QStringList{message});
    QCOMPARE(ReadBytes(page.toStdString()), bytes);
    QVERIFY(!QFileInfo::exists(Path("other.HTM")));
    // A page without stamped snippets changes nothing and says why.
    f->reporter.messages.clear();
    QVERIFY(!Actions().openRecipe(QString::fromStdString(f->dir.Write("plain.htm", "<p>hi</p>"))));
    QCOMPARE(
        f->reporter.messages,
        QStringList{QStringLiteral("plain.htm: the page holds no stamped snippet of Sitewright")});
}

// Saved, a value the program refuses on opening would keep the whole recipe from opening again:
// it is refused at the save, the file keeps what it held, and the edit stays on the page.
void RecipeTest::aValueTheRecipeWouldRefuseIsNotSaved()
{
    const QString path = QString::fromStdString(f->dir.Write("site.json", kSite));
    QVERIFY(Actions().openRecipe(path));
    f->mainWindow->showPage(10);
    Retype(f->Control<QLineEdit>("Edit13"), QStringLiteral("soon"));
    QVERIFY(!Actions().saveRecipe());
    QCOMPARE(f->reporter.messages.size(), qsizetype(1));
    QVERIFY(f->reporter.messages[0].startsWith(
        QStringLiteral("site.json: not saved: snippets[0].values.seconds: ")));
    QCOMPARE(ReadBytes(path.toStdString()), std::string(kSite));
    QVERIFY(f->mainWindow->isWindowModified());
    QCOMPARE(f->Control<QLineEdit>("Edit13")->text(), QStringLiteral("soon"));
}

int main(int argc, char* argv[])
{
    return RunAppTest<RecipeTest>(argc, argv);
}

#include "recipe_test.moc"
