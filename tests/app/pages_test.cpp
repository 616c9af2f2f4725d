#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "app/application.h"
#include "app/code_window.h"
#include "app/main_window.h"
#include "app_test_support.h"
#include "generators/gadget_table.h"
#include "widgets/spin_edit.h"
#include "widgets/xp_button.h"

// Pages 3 to 10 of the main window: what each shows, how Tab walks it, and where the text of
// each of its fields lands in its snippet.
class PagesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { f = std::make_unique<AppFixture>(); }
    void cleanup() { f.reset(); }

    void controlsSitWhereDesigned_data();
    void controlsSitWhereDesigned();
    void tabWalksTheFieldsInPageOrder_data();
    void tabWalksTheFieldsInPageOrder();
    void autoCloseOffersTrueAndFalseAndTakesAnyText();
    void fieldTextReachesItsLine_data();
    void fieldTextReachesItsLine();

private:
    QWidget* Control(const QString& name) const { return f->form2->findChild<QWidget*>(name); }
    // Clicks the page's Generate Code button and returns the code window's lines.
    std::vector<std::string> GenerateCode(int page);
    // The control of the visible page that holds the keyboard focus.
    QString FocusedControl() const;
    // Replaces the field's text the way a user pastes, which no field filters.
    static void PasteInto(QWidget* field, const QString& text);

    std::unique_ptr<AppFixture> f;
};

void PagesTest::controlsSitWhereDesigned_data()
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
        {"Edit7", 6, {96, 120, 241, 21}, "edit", "http://www.example.com"},
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

void PagesTest::controlsSitWhereDesigned()
{
    QFETCH(QString, name);
    QFETCH(int, page);
    QFETCH(QRect, geometry);
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QWidget* control = Control(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget(), f->form2->Page(page));
    QCOMPARE(control->pos(), geometry.topLeft());
    f->form2->ShowPage(page);
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
        QCOMPARE(qobject_cast<TSpinEdit*>(control)->text(), text);
    else if (kind == "edit")
        QCOMPARE(qobject_cast<QLineEdit*>(control)->text(), text);
    else if (kind == "combo")
        QCOMPARE(qobject_cast<QComboBox*>(control)->currentText(), text);
    else
        QCOMPARE(qobject_cast<TxpButton*>(control)->Caption(), text);
}

void PagesTest::tabWalksTheFieldsInPageOrder_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("page 3") << 3 << QStringList{"xpButton5", "xpButton6"};
    QTest::newRow("page 4") << 4 << QStringList{"xpButton7", "xpButton8", "Edit3"};
    QTest::newRow("page 5, image address last")
        << 5 << QStringList{"xpButton9", "xpButton10", "Edit4", "Edit5",
                            "SpinEdit1", "SpinEdit2",  "Edit6"};
    QTest::newRow("page 6") << 6 << QStringList{"xpButton11", "xpButton12", "Edit7",
                                                "Edit8",      "Edit9",      "ComboBox1"};
    QTest::newRow("page 7") << 7 << QStringList{"xpButton13", "xpButton14", "Edit10", "Edit11"};
    QTest::newRow("page 9") << 9 << QStringList{"xpButton17", "xpButton18"};
    QTest::newRow("page 10, seconds before size")
        << 10 << QStringList{"xpButton19", "xpButton20", "Edit12", "Edit13", "Edit14", "Edit15"};
}

// Tab from the Preview button visits the page's controls in order and comes back round;
// Shift+Tab walks the same ring backwards.
void PagesTest::tabWalksTheFieldsInPageOrder()
{
    QFETCH(int, page);
    QFETCH(QStringList, order);
    f->form2->ShowPage(page);
    f->form2->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f->form2.get()));
    Control(order.front())->setFocus(Qt::OtherFocusReason);

    QStringList forward{FocusedControl()};
    for (qsizetype i = 0; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        forward.append(FocusedControl());
    }
    QCOMPARE(forward, order + QStringList{order.front()});

    QStringList backward;
    for (qsizetype i = 0; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        backward.prepend(FocusedControl());
    }
    QCOMPARE(backward, order);
}

void PagesTest::autoCloseOffersTrueAndFalseAndTakesAnyText()
{
    QComboBox* combo = f->form2->ComboBox1;
    QVERIFY(combo->isEditable());
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(0), QStringLiteral("true"));
    QCOMPARE(combo->itemText(1), QStringLiteral("false"));
    QCOMPARE(GenerateCode(6).at(21), "var autoclose = true");

    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down); // the next item of the list
    QCOMPARE(combo->currentText(), QStringLiteral("false"));
    QCOMPARE(GenerateCode(6).at(21), "var autoclose = false");

    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo, QStringLiteral("yes"));
    QTest::keyClick(combo, Qt::Key_Return);
    QCOMPARE(combo->count(), 2); // typed text does not join the list
    QCOMPARE(GenerateCode(6).at(21), "var autoclose = yes");

    combo->clearEditText();
    QCOMPARE(GenerateCode(6).at(21), "var autoclose = ");
}

void PagesTest::fieldTextReachesItsLine_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line"); // counted from 1
    QTest::addColumn<QString>("part");
    QTest::newRow("homepage address")
        << 4 << "Edit3"
        << "http://h.example/x" << 23 << "  document.write('<a href=\"http://h.example/x\">Drag";
    QTest::newRow("status text, apostrophe")
        << 5 << "Edit4"
        << "It's new" << 63 << "window.status='It's new';return true\"";
    QTest::newRow("logo link") << 5 << "Edit5"
                               << "http://l.example/" << 63
                               << "<a href=\"http://l.example/\" onmouseover";
    QTest::newRow("logo image") << 5 << "Edit6"
                                << "http://i.example/a.png" << 63
                                << "<img src=\"http://i.example/a.png\" width=\"235\"";
    QTest::newRow("width, leading zero") << 5 << "SpinEdit1"
                                         << "0300" << 14 << "imgwidth=300;";
    QTest::newRow("width, fraction") << 5 << "SpinEdit1"
                                     << "12.5" << 14 << "imgwidth=0;";
    QTest::newRow("height, negative") << 5 << "SpinEdit2"
                                      << "-3" << 63 << "height=\"-3\" border";
    QTest::newRow("height, hex") << 5 << "SpinEdit2"
                                 << "$10" << 15 << "imgheight=16;";
    QTest::newRow("popup address")
        << 6 << "Edit7"
        << "http://u.example/" << 18 << "var urlPop = \"http://u.example/\"";
    QTest::newRow("popup width") << 6 << "Edit8"
                                 << "640" << 14 << "var windowW=640 // wide";
    QTest::newRow("popup height, empty") << 6 << "Edit9"
                                         << "" << 15 << "var windowH= // high";
    QTest::newRow("IE address") << 7 << "Edit10"
                                << "http://a.example/ie" << 14 << "url=(\"http://a.example/ie\");";
    QTest::newRow("other address")
        << 7 << "Edit11"
        << "http://a.example/ns" << 16 << "url=(\"http://a.example/ns\")";
    QTest::newRow("page address") << 10 << "Edit12"
                                  << "http://p.example/" << 13
                                  << "var page = \"http://p.example/\";";
    QTest::newRow("page width") << 10 << "Edit14"
                                << "640" << 14 << ",width=640,";
    QTest::newRow("page height") << 10 << "Edit15"
                                 << "480" << 14 << "\"height=480,";
    QTest::newRow("seconds") << 10 << "Edit13"
                             << "10" << 24 << "'popupPage()', 10000);";
}

// The text goes in through the page and comes out in its line, and the rest of the snippet is
// the gadget's with the other fields as they start.
void PagesTest::fieldTextReachesItsLine()
{
    QFETCH(int, page);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(int, line);
    QFETCH(QString, part);
    f->form2->ShowPage(page);
    PasteInto(Control(field), text);
    const std::vector<std::string> lines = GenerateCode(page);
    QVERIFY2(QString::fromStdString(lines.at(std::size_t(line - 1))).contains(part),
             lines.at(std::size_t(line - 1)).c_str());

    const gen::GadgetSpec* gadget = gen::GadgetOfPage(page);
    gen::FieldValues values = gen::DefaultValues(*gadget);
    for (std::size_t i = 0; i < gadget->fields.size(); ++i)
        if (gadget->fields[i].component == field.toStdString())
            values[i] = text.toStdString();
    QCOMPARE(lines, gadget->generate(values).Lines());
}

std::vector<std::string> PagesTest::GenerateCode(int page)
{
    QTest::mouseClick(Control(QStringLiteral("xpButton%1").arg(2 * page)), Qt::LeftButton);
    return f->form4->Lines();
}

QString PagesTest::FocusedControl() const
{
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (w->parentWidget() == f->form2->Page(f->form2->VisiblePage()))
            return w->objectName();
    return {};
}

void PagesTest::PasteInto(QWidget* field, const QString& text)
{
    QApplication::clipboard()->setText(text);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, text.isEmpty() ? Qt::Key_Delete : Qt::Key_V,
                    text.isEmpty() ? Qt::NoModifier : Qt::ControlModifier);
}

int main(int argc, char* argv[])
{
    SitewrightApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sitewright"));
    PagesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "pages_test.moc"
