#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "app/application.h"
#include "app/code_window.h"
#include "app/link_label.h"
#include "app/main_window.h"
#include "app/page_actions.h"
#include "app/page_layout.h"
#include "app_test_support.h"
#include "generators/gadget_table.h"
#include "widgets/spin_edit.h"

// How the fields of pages 3 to 10 behave: how Tab walks them, the auto-close box, and where
// the text of each field lands in its page's snippet.
class PageFieldsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { f = std::make_unique<AppFixture>(); }
    void cleanup() { f.reset(); }

    void tabWalksTheFieldsInPageOrder_data();
    void tabWalksTheFieldsInPageOrder();
    void autoCloseOffersTrueAndFalseAndRefusesOtherText();
    void refusedFieldLeavesCodeAndPreview_data();
    void refusedFieldLeavesCodeAndPreview();
    void fieldTextReachesItsLine_data();
    void fieldTextReachesItsLine();
    void pastedLineBreaksShowAndGenerateAsBlanks_data();
    void pastedLineBreaksShowAndGenerateAsBlanks();

private:
    QWidget* Control(const QString& name) const { return f->mainWindow->findChild<QWidget*>(name); }
    // Clicks the page's Generate Code button and returns the code window's lines.
    std::vector<std::string> GenerateCode(int page);
    // The control of the visible page that holds the keyboard focus.
    QString FocusedControl() const;
    // Replaces the field's text the way a user pastes, which no field filters.
    static void PasteInto(QWidget* field, const QString& text);

    std::unique_ptr<AppFixture> f;
};

void PageFieldsTest::tabWalksTheFieldsInPageOrder_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<QList<int>>("shownBefore"); // built in this order before the page is shown
    QTest::newRow("page 1") << 1 << QStringList{"xpButton1", "xpButton2", "Edit19"} << QList<int>{};
    QTest::newRow("page 2, fields first")
        << 2
        << QStringList{"Edit1", "Edit2", "Edit20", "Edit21", "Edit22", "xpButton3", "xpButton4"}
        << QList<int>{};
    QTest::newRow("page 3") << 3
                            << QStringList{"xpButton5", "xpButton6", "Edit16", "Edit23", "Edit24",
                                           "Edit25",    "Edit26",    "Edit27", "Edit28", "Edit29"}
                            << QList<int>{};
    QTest::newRow("page 4") << 4 << QStringList{"xpButton7", "xpButton8", "Edit3", "Edit30"}
                            << QList<int>{};
    QTest::newRow("page 5, image address last")
        << 5 << QStringList{"xpButton9", "xpButton10", "Edit4", "Edit5",
                            "SpinEdit1", "SpinEdit2",  "Edit6"}
        << QList<int>{};
    QTest::newRow("page 6") << 6 << QStringList{"xpButton11", "xpButton12", "Edit7",    "Edit31",
                                                "Edit8",      "Edit9",      "ComboBox1"}
                            << QList<int>{};
    QTest::newRow("page 7") << 7 << QStringList{"xpButton13", "xpButton14", "Edit10", "Edit11"}
                            << QList<int>{};
    QTest::newRow("page 9") << 9 << QStringList{"xpButton17", "xpButton18"} << QList<int>{};
    QTest::newRow("page 10, seconds before size")
        << 10 << QStringList{"xpButton19", "xpButton20", "Edit12", "Edit13",
                             "Edit14",     "Edit15",     "Edit17", "Edit18"}
        << QList<int>{};
    QTest::newRow("page 7, built before pages 10 and 3")
        << 7 << QStringList{"xpButton13", "xpButton14", "Edit10", "Edit11"} << QList<int>{7, 10, 3};
}

// Tab from the Preview button visits the page's controls in order, then the link line, and comes
// back round; Shift+Tab walks the same ring backwards.
void PageFieldsTest::tabWalksTheFieldsInPageOrder()
{
    QFETCH(int, page);
    QFETCH(QStringList, order);
    QFETCH(QList<int>, shownBefore);
    order.append(QStringLiteral("lblTextLink"));
    for (int earlier : shownBefore)
        f->mainWindow->showPage(earlier);
    f->mainWindow->showPage(page);
    f->mainWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f->mainWindow.get()));
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

void PageFieldsTest::autoCloseOffersTrueAndFalseAndRefusesOtherText()
{
    f->mainWindow->showPage(6);
    QComboBox* combo = f->Control<QComboBox>("ComboBox1");
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
    QVERIFY(f->reporter.messages.isEmpty());
    QCOMPARE(GenerateCode(6).at(21), "var autoclose = false"); // the code of before stays
    QCOMPARE(f->reporter.messages.size(), 1);
    QCOMPARE(f->reporter.messages[0],
             QStringLiteral("The field \"AutoClose:\" holds \"yes\", but it takes true or false."));

    combo->clearEditText();
    QCOMPARE(GenerateCode(6).at(21), "var autoclose = false");
    QCOMPARE(f->reporter.messages.size(), 2);
}

// A value the code cannot take is reported in the error box, naming the field; Generate Code
// leaves the code window as it was, Preview leaves preview.html and starts no browser.
void PageFieldsTest::refusedFieldLeavesCodeAndPreview_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("named");
    QTest::newRow("frameless width with unit") << 6 << "Edit8"
                                               << "500px"
                                               << "\"Width:\" holds \"500px\", but it takes";
    QTest::newRow("frameless height empty") << 6 << "Edit9"
                                            << ""
                                            << "\"Height:\" is empty, but it takes";
    QTest::newRow("popup width name") << 10 << "Edit14"
                                      << "R&D"
                                      << "\"Width:\" holds \"R&D\", but it takes";
    QTest::newRow("popup height quote") << 10 << "Edit15"
                                        << "5\""
                                        << "\"Height:\" holds \"5\"\", but it takes";
    QTest::newRow("popup seconds script") << 10 << "Edit13"
                                          << "1);alert(1"
                                          << "\"Seconds to wait:\" holds \"1);alert(1\"";
    QTest::newRow("popup seconds past the longest timer")
        << 10 << "Edit13"
        << "2147484"
        << "\"Seconds to wait:\" holds \"2147484\"";
    QTest::newRow("IE address empty") << 7 << "Edit10"
                                      << ""
                                      << "\"Internet Explorer goes to -\" is empty";
    QTest::newRow("other address blank") << 7 << "Edit11"
                                         << "   "
                                         << "\"Netscape goes to -\" holds \"   \"";
}

void PageFieldsTest::refusedFieldLeavesCodeAndPreview()
{
    QFETCH(int, page);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, named);
    f->mainWindow->showPage(page);
    const std::vector<std::string> before = GenerateCode(page);
    const std::string preview = f->Folder() + "preview.html";
    WriteBytes(preview, "earlier preview");
    PasteInto(Control(field), text);

    QCOMPARE(GenerateCode(page), before);
    QTest::mouseClick(Control(QStringLiteral("xpButton%1").arg(2 * page - 1)), Qt::LeftButton);
    QCOMPARE(f->codeWindow->lines(), before);
    QCOMPARE(ReadBytes(preview), std::string("earlier preview"));
    QVERIFY(f->shell.requests.empty());
    QCOMPARE(f->reporter.messages.size(), 2);
    // The window speaks of captions; options belong to the command line.
    for (const QString& message : f->reporter.messages)
        QVERIFY2(message.contains(named) && !message.contains(QStringLiteral("--")),
                 qPrintable(message));
}

void PageFieldsTest::fieldTextReachesItsLine_data()
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
        << "It's new" << 63 << "window.status='It\\'s new';return true\"";
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
    QTest::newRow("popup height, blanks") << 6 << "Edit9"
                                          << " 480 " << 15 << "var windowH=480 // high";
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
void PageFieldsTest::fieldTextReachesItsLine()
{
    QFETCH(int, page);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(int, line);
    QFETCH(QString, part);
    f->mainWindow->showPage(page);
    PasteInto(Control(field), text);
    const std::vector<std::string> lines = GenerateCode(page);
    QVERIFY2(QString::fromStdString(lines.at(std::size_t(line - 1))).contains(part),
             lines.at(std::size_t(line - 1)).c_str());

    const gen::GadgetEntry* gadget = gen::GadgetOfPage(page);
    gen::FieldValues values = gen::DefaultValues(*gadget);
    for (std::size_t i = 0; i < gadget->fields.size(); ++i)
        if (pages::FieldControlName(gadget->id, gadget->fields[i].option) == field.toStdString())
            values[i] = text.toStdString();
    QCOMPARE(lines, gadget->generate(values).Lines());
}

void PageFieldsTest::pastedLineBreaksShowAndGenerateAsBlanks_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");
    QTest::newRow("LF") << "a\nb"
                        << "a b";
    QTest::newRow("CR LF, one blank") << "a\r\nb\r\n"
                                      << "a b ";
    QTest::newRow("CR, form feed, separators") << "a\rb\fc\u2028d\u2029e"
                                               << "a b c d e";
    QTest::newRow("blank lines") << "\n\n7\n\n"
                                 << "  7  ";
}

// Every field of every page, whatever its kind, holds one line: what it shows is what the
// generator reads.
void PageFieldsTest::pastedLineBreaksShowAndGenerateAsBlanks()
{
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    for (const gen::GadgetEntry& gadget : gen::GadgetTable()) {
        f->mainWindow->showPage(gadget.page);
        for (const gen::FieldEntry& field : gadget.fields) {
            QWidget* control =
                Control(QString::fromUtf8(pages::FieldControlName(gadget.id, field.option)));
            QVERIFY(control);
            PasteInto(control, pasted);
            auto* combo = qobject_cast<QComboBox*>(control);
            const QString text =
                combo ? combo->currentText() : qobject_cast<QLineEdit*>(control)->text();
            QCOMPARE(text, shown);
            // A spin box's field is the number its text reads as, not the text.
            if (!qobject_cast<SpinEdit*>(control))
                QCOMPARE(FieldText(*control), shown.toStdString());
        }
    }
}

std::vector<std::string> PageFieldsTest::GenerateCode(int page)
{
    QTest::mouseClick(Control(QStringLiteral("xpButton%1").arg(2 * page)), Qt::LeftButton);
    return f->codeWindow->lines();
}

QString PageFieldsTest::FocusedControl() const
{
    if (QApplication::focusWidget() == f->mainWindow->linkLine)
        return f->mainWindow->linkLine->objectName();
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (w->parentWidget() == f->mainWindow->pagePanel(f->mainWindow->visiblePage()))
            return w->objectName();
    return {};
}

void PageFieldsTest::PasteInto(QWidget* field, const QString& text)
{
    QApplication::clipboard()->setText(text);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, text.isEmpty() ? Qt::Key_Delete : Qt::Key_V,
                    text.isEmpty() ? Qt::NoModifier : Qt::ControlModifier);
}

int main(int argc, char* argv[])
{
    return RunAppTest<PageFieldsTest>(argc, argv);
}

#include "page_fields_test.moc"
