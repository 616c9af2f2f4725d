#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QTest>
#include <iterator>
#include <memory>
#include <stdexcept>

#include "app/application.h"
#include "app/main_window.h"
#include "app/page_builder.h"
#include "app/page_layout.h"
#include "app_test_support.h"
#include "generators/gadget_table.h"
#include "widgets/spin_edit.h"
#include "widgets/ui_fonts.h"
#include "widgets/xp_button.h"

// What pages 3 to 10 of the main window show: each control's place, font and starting text;
// and that every page's controls exist from the page's first showing on.
class PageControlsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { f = std::make_unique<AppFixture>(); }
    void cleanup() { f.reset(); }

    void controlsSitWhereDesigned_data();
    void controlsSitWhereDesigned();
    void controlsComeWithTheirPage();
    void captionsFieldsAndButtonsStandApartInsideTheirPage();
    void buildingAPageLeavesTheApplicationFontAsItWas_data();
    void buildingAPageLeavesTheApplicationFontAsItWas();

private:
    std::unique_ptr<AppFixture> f;
};

void PageControlsTest::controlsSitWhereDesigned_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("page");
    QTest::addColumn<QRect>("geometry"); // 0 width and height: as large as the text
    QTest::addColumn<QString>("kind");
    // A label's caption; a field's starting text. For descriptions the first words and the
    // last characters, split at "|".
    QTest::addColumn<QString>("text");
    struct Row {
        const char* name;
        int page;
        QRect geometry;
        const char* kind;
        const char* text;
    };
    const Row rows[] = {
        {"Label16", 3, {8, 8, 115, 16}, "title", "Email This Page"},
        {"Label17", 3, {288, 10, 57, 13}, "support", "All Browsers"},
        {"Label18", 3, {16, 32, 345, 65}, "description", "Allow your visitors|by you. Perfect!"},
        {"Label19", 4, {8, 8, 137, 16}, "title", "Set Homepage Link"},
        {"Label20", 4, {288, 10, 57, 13}, "support", "All Browsers"},
        {"Label21", 4, {16, 32, 345, 57}, "description", "Allow the visitor|on browser type. "},
        {"Label22", 4, {16, 96, 157, 13}, "caption", "Link for them to set as homepage"},
        {"Edit3", 4, {32, 112, 305, 21}, "edit", "http://www.example.com"},
        {"Label23", 5, {8, 8, 102, 16}, "title", "Logo Branding"},
        {"Label24", 5, {288, 10, 57, 13}, "support", "All Browsers"},
        {"Label25", 5, {16, 32, 345, 57}, "description", "Have you seen|just that! Awesome! "},
        {"Label26", 5, {16, 92, 59, 13}, "caption", "Mouseover::"},
        {"Edit4", 5, {96, 88, 241, 21}, "edit", "Click here for current specials"},
        {"Label27", 5, {16, 114, 61, 13}, "caption", "Link for logo:"},
        {"Edit5", 5, {96, 112, 241, 21}, "edit", "http://www.example.com/specials/"},
        {"Label30", 5, {16, 136, 68, 13}, "caption", "URL to image:"},
        {"Edit6", 5, {96, 136, 241, 21}, "edit", "http://www.example.com/logo.jpg"},
        {"Label28", 5, {64, 164, 55, 13}, "caption", "Logo Width"},
        {"SpinEdit1", 5, {128, 160, 57, 22}, "spin", "235"},
        {"Label29", 5, {208, 164, 58, 13}, "caption", "Logo Height"},
        {"SpinEdit2", 5, {280, 160, 57, 22}, "spin", "19"},
        {"xpButton9", 5, {16, 184, 89, 25}, "button", "Preview"},
        {"Label31", 6, {8, 8, 0, 0}, "title", "Frameless Popup"},
        {"Label32", 6, {288, 10, 0, 0}, "support", "All Browsers"},
        {"Label33", 6, {16, 32, 345, 81}, "description", "(IE4+) Launches|optionally set. ! "},
        {"Label34", 6, {24, 124, 0, 0}, "caption", "URL to open:"},
        {"Edit7", 6, {96, 120, 129, 21}, "edit", "http://www.example.com"},
        {"Label35", 6, {24, 152, 0, 0}, "caption", "Width:"},
        {"Edit8", 6, {64, 148, 49, 21}, "edit", "500"},
        {"Label36", 6, {128, 152, 0, 0}, "caption", "Height:"},
        {"Edit9", 6, {168, 148, 49, 21}, "edit", "600"},
        {"Label37", 6, {232, 152, 0, 0}, "caption", "AutoClose:"},
        {"ComboBox1", 6, {288, 148, 49, 21}, "combo", "true"},
        {"Label38", 7, {8, 8, 0, 0}, "title", " Browser-Specific Entry"},
        {"Label39", 7, {288, 10, 0, 0}, "support", "All Browsers"},
        {"Label40", 7, {16, 32, 345, 65}, "description", "If you maintain|browser-optimized page."},
        {"Label41", 7, {24, 108, 0, 0}, "caption", "Internet Explorer goes to -"},
        {"Edit10", 7, {152, 104, 193, 21}, "edit", "http://www.example.com/ie.html"},
        {"Label42", 7, {24, 136, 0, 0}, "caption", "Netscape goes to -"},
        {"Edit11", 7, {152, 132, 193, 21}, "edit", "http://www.example.com/netscape.html"},
        {"Label43", 8, {8, 8, 0, 0}, "title", "Language"},
        {"Label44", 8, {272, 10, 0, 0}, "support", "Newer Browsers"},
        {"Label45", 8, {16, 32, 345, 113}, "description", "Redirects a user|are redirect to."},
        {"Label46", 9, {8, 8, 0, 0}, "title", "Orchard Search"},
        {"Label47", 9, {288, 10, 0, 0}, "support", "All Browsers"},
        {"Label48", 9, {16, 32, 345, 97}, "description", "This search form|there homepage! "},
        {"Label49", 10, {8, 8, 0, 0}, "title", "Popup Page"},
        {"Label50", 10, {288, 10, 0, 0}, "support", "All Browsers"},
        {"Label51", 10, {16, 32, 345, 33}, "description", "Once your page loads|will open."},
        {"Label52", 10, {24, 90, 0, 0}, "caption", "URL to open:"},
        {"Edit12", 10, {96, 88, 241, 21}, "edit", "http://www.example.com/popup.html"},
        {"Label54", 10, {56, 116, 0, 0}, "caption", "Width:"},
        {"Edit14", 10, {96, 112, 49, 21}, "edit", "500"},
        {"Label55", 10, {176, 116, 0, 0}, "caption", "Height:"},
        {"Edit15", 10, {216, 112, 49, 21}, "edit", "500"},
        {"Label53", 10, {8, 140, 0, 0}, "caption", "Seconds to wait:"},
        {"Edit13", 10, {96, 136, 49, 21}, "edit", "5"},
    };
    for (const Row& row : rows)
        QTest::newRow(row.name) << row.name << row.page << row.geometry << row.kind << row.text;
}

void PageControlsTest::controlsSitWhereDesigned()
{
    QFETCH(QString, name);
    QFETCH(int, page);
    QFETCH(QRect, geometry);
    QFETCH(QString, kind);
    QFETCH(QString, text);
    f->mainWindow->showPage(page);
    QWidget* control = f->mainWindow->findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget(), f->mainWindow->pagePanel(page));
    QCOMPARE(control->pos(), geometry.topLeft());
    QVERIFY(control->isVisible());

    if (auto* label = qobject_cast<QLabel*>(control)) {
        const QFont font = label->font();
        QCOMPARE(font.pixelSize(), kind == "title" || kind == "description" ? 13 : 11);
        QCOMPARE(font.bold(), kind == "title");
        QCOMPARE(font.underline(), kind == "support");
        QCOMPARE(label->wordWrap(), kind == "description");
        if (kind == "description") {
            const QStringList ends = text.split(QLatin1Char('|'));
            QVERIFY(label->text().startsWith(ends[0]) && label->text().endsWith(ends[1]));
            QCOMPARE(label->size(), geometry.size());
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), "text cut off");
        } else {
            // One-line labels keep their designed size or grow to show their whole text.
            QCOMPARE(label->text(), text);
            QVERIFY(label->width() >= geometry.width() && label->height() >= geometry.height());
            QVERIFY(QFontMetrics(font).horizontalAdvance(text) <= label->width());
        }
        return;
    }
    QCOMPARE(control->size(), geometry.size());
    // An address longer than its box shows its beginning, not its end.
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        QCOMPARE(edit->cursorPosition(), 0);
    if (kind == "spin")
        QCOMPARE(qobject_cast<SpinEdit*>(control)->text(), text);
    else if (kind == "edit")
        QCOMPARE(qobject_cast<QLineEdit*>(control)->text(), text);
    else if (kind == "combo")
        QCOMPARE(qobject_cast<QComboBox*>(control)->currentText(), text);
    else
        QCOMPARE(qobject_cast<XpButton*>(control)->caption(), text);
}
// Only page 1 is built at start; every other page is empty until it first shows. Then each page
// holds what its layout places, every control under a name of its own, and each field under the
// name the gadget table gives it.
void PageControlsTest::controlsComeWithTheirPage()
{
    const MainWindow& window = *f->mainWindow;
    for (int page = 2; page <= window.pageCount(); ++page)
        QVERIFY2(window.pagePanel(page)->children().isEmpty(), qPrintable(QString::number(page)));

    QSet<QString> names;
    for (const gen::GadgetEntry& gadget : gen::GadgetTable()) {
        f->mainWindow->showPage(gadget.page);
        const QFrame* panel = window.pagePanel(gadget.page);
        const QList<QWidget*> controls = panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        const pages::PageLayout& layout = pages::PageLayoutOf(gadget.page);
        QCOMPARE(controls.size(), qsizetype(layout.labels.size() + 2 * gadget.fields.size() + 2));
        for (const QWidget* control : controls) {
            QVERIFY2(!control->objectName().isEmpty(), gadget.id.data());
            QVERIFY2(!names.contains(control->objectName()), qPrintable(control->objectName()));
            names.insert(control->objectName());
        }
        for (const pages::FieldRow& row : layout.fields)
            QVERIFY2(
                panel->findChild<QWidget*>(QString::fromUtf8(row.name), Qt::FindDirectChildrenOnly),
                row.name.data());
    }
}

// Pages packed with fields must still show each caption whole beside its field: no caption,
// field or button covers another or reaches past the page. Descriptions are left out, as the
// designed pages let a field touch the box of the text above it.
void PageControlsTest::captionsFieldsAndButtonsStandApartInsideTheirPage()
{
    for (const gen::GadgetEntry& gadget : gen::GadgetTable()) {
        f->mainWindow->showPage(gadget.page);
        const QFrame* panel = f->mainWindow->pagePanel(gadget.page);
        QList<const QWidget*> controls;
        for (const QWidget* w : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const auto* label = qobject_cast<const QLabel*>(w);
            if (!label || !label->wordWrap())
                controls.append(w);
        }
        for (qsizetype i = 0; i < controls.size(); ++i) {
            const QRect r = controls[i]->geometry();
            QVERIFY2(panel->rect().contains(r), qPrintable(controls[i]->objectName()));
            for (qsizetype j = i + 1; j < controls.size(); ++j)
                QVERIFY2(
                    !r.intersects(controls[j]->geometry()),
                    qPrintable(controls[i]->objectName() + " covers " + controls[j]->objectName()));
        }
    }
}

int main(int argc, char* argv[])
{
    return RunAppTest<PageControlsTest>(argc, argv);
}

// The fields are made while the page lends the application its font; afterwards, also when the
// layout is refused halfway, the application's font is its own again (tooltips, menus and
// dialogs use it) and every field has the page's.
void PageControlsTest::buildingAPageLeavesTheApplicationFontAsItWas_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("refused");
    QTest::newRow("page 10, built whole") << 10 << false;
    QTest::newRow("page 10, a field placed twice") << 10 << true;
}

void PageControlsTest::buildingAPageLeavesTheApplicationFontAsItWas()
{
    QFETCH(int, page);
    QFETCH(bool, refused);
    pages::PageLayout layout = pages::PageLayoutOf(page);
    if (refused)
        layout.fields.push_back(layout.fields.front());
    const QFont own = QGuiApplication::font();
    QFrame panel;
    panel.setFont(ui::DialogFont(13, true));
    try {
        pages::BuildPage(&panel, *gen::GadgetOfPage(page), layout);
        QVERIFY(!refused);
    } catch (const std::logic_error&) {
        QVERIFY(refused);
    }
    QCOMPARE(QGuiApplication::font(), own);
    const QList<QLineEdit*> fields = panel.findChildren<QLineEdit*>();
    QVERIFY(!fields.empty());
    for (const QLineEdit* field : fields)
        QCOMPARE(field->font(), panel.font());
}

#include "page_controls_test.moc"
