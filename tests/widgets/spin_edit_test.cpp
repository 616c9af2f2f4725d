#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "widgets/spin_edit.h"

class SpinEditTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void typedCharactersAreFiltered_data();
    void typedCharactersAreFiltered();
    void composedCharactersAreFiltered_data();
    void composedCharactersAreFiltered();
    void enterIsRefused_data();
    void enterIsRefused();
    void editingKeysPass_data();
    void editingKeysPass();
    void pasteAndCutAreNotFiltered();
    void arrowsStepTheValue_data();
    void arrowsStepTheValue();
    void valueIsTheTextReadAsANumber_data();
    void valueIsTheTextReadAsANumber();

private:
    // The arrow button a user finds at the upper or lower right corner of the box.
    QToolButton* ArrowAt(bool upper) const;

    std::unique_ptr<QWidget> window;
    SpinEdit* spin = nullptr;
    std::unique_ptr<QSignalSpy> beeps;
};

void SpinEditTest::init()
{
    window = std::make_unique<QWidget>();
    window->resize(200, 60);
    spin = new SpinEdit(window.get());
    spin->setGeometry(10, 10, 57, 22);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    spin->setFocus();
    beeps = std::make_unique<QSignalSpy>(spin, &SpinEdit::keyRefused);
}

void SpinEditTest::cleanup()
{
    beeps.reset();
    window.reset();
    QLocale::setDefault(QLocale::c());
}

QToolButton* SpinEditTest::ArrowAt(bool upper) const
{
    const QPoint corner(spin->width() - 4, upper ? 4 : spin->height() - 4);
    return qobject_cast<QToolButton*>(spin->childAt(corner));
}

void SpinEditTest::typedCharactersAreFiltered_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("refused");
    QTest::newRow("digits") << "en_US"
                            << "0123456789"
                            << "0123456789" << 0;
    QTest::newRow("signs, even twice") << "en_US"
                                       << "+-+"
                                       << "+-+" << 0;
    QTest::newRow("letters") << "en_US"
                             << "1a2Z"
                             << "12" << 2;
    QTest::newRow("hex prefixes are not typed") << "en_US"
                                                << "$0x1F"
                                                << "01" << 3;
    QTest::newRow("blank and punctuation") << "en_US"
                                           << "1 2;3/"
                                           << "123" << 3;
    QTest::newRow("English separator") << "en_US"
                                       << "1.5,2"
                                       << "1.52" << 1;
    QTest::newRow("German separator") << "de_DE"
                                      << "1.5,2"
                                      << "15,2" << 1;
}

void SpinEditTest::typedCharactersAreFiltered()
{
    QFETCH(QString, locale);
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(int, refused);
    QLocale::setDefault(QLocale(locale));
    spin->clear();
    QTest::keyClicks(spin, typed);
    QCOMPARE(spin->text(), text);
    QCOMPARE(beeps->count(), refused);
}

void SpinEditTest::composedCharactersAreFiltered_data()
{
    QTest::addColumn<QString>("commit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("refused");
    QTest::newRow("digit") << "7"
                           << "17" << 0;
    QTest::newRow("accented letter") << "\u00e9"
                                     << "1" << 1;
    QTest::newRow("full-width digit") << "\uff17"
                                      << "1" << 1;
    QTest::newRow("digit with a letter") << "7a"
                                         << "1" << 1;
}

// Characters an input method composes (dead keys, compose sequences) are typed all the same.
void SpinEditTest::composedCharactersAreFiltered()
{
    QFETCH(QString, commit);
    QFETCH(QString, text);
    QFETCH(int, refused);
    spin->setText(QStringLiteral("1"));
    QInputMethodEvent preedit(QStringLiteral("\u00b4"), {});
    QApplication::sendEvent(spin, &preedit);
    QInputMethodEvent composed;
    composed.setCommitString(commit);
    QApplication::sendEvent(spin, &composed);
    QCOMPARE(spin->text(), text);
    QCOMPARE(beeps->count(), refused);
}

void SpinEditTest::enterIsRefused_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
}

void SpinEditTest::enterIsRefused()
{
    QFETCH(int, key);
    spin->setText(QStringLiteral("42"));
    QSignalSpy returns(spin, &QLineEdit::returnPressed);
    QTest::keyClick(spin, Qt::Key(key));
    QCOMPARE(spin->text(), QStringLiteral("42"));
    QCOMPARE(beeps->count(), 1);
    QCOMPARE(returns.count(), 0);
}

void SpinEditTest::editingKeysPass_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("then");
    QTest::addColumn<QString>("text");
    const int none = Qt::NoModifier;
    const int ctrl = Qt::ControlModifier;
    // The box holds "1234" with the cursor between 2 and 3.
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << ""
                               << "134";
    QTest::newRow("Delete") << int(Qt::Key_Delete) << none << ""
                            << "124";
    QTest::newRow("Escape") << int(Qt::Key_Escape) << none << ""
                            << "1234";
    QTest::newRow("Home") << int(Qt::Key_Home) << none << "9"
                          << "91234";
    QTest::newRow("Right") << int(Qt::Key_Right) << none << "9"
                           << "12394";
    QTest::newRow("Ctrl+A") << int(Qt::Key_A) << ctrl << "9"
                            << "9";
    // A window shortcut, not a character for the box: neither typed nor refused.
    QTest::newRow("Alt+letter") << int(Qt::Key_P) << int(Qt::AltModifier) << ""
                                << "1234";
}

void SpinEditTest::editingKeysPass()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, then);
    QFETCH(QString, text);
    spin->clear();
    QTest::keyClicks(spin, QStringLiteral("1234"));
    spin->setCursorPosition(2);
    QTest::keyClick(spin, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTest::keyClicks(spin, then);
    QCOMPARE(spin->text(), text);
    QCOMPARE(beeps->count(), 0);
}

void SpinEditTest::pasteAndCutAreNotFiltered()
{
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText(QStringLiteral("$1F x"));
    spin->clear();
    QTest::keyClick(spin, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(spin->text(), QStringLiteral("$1F x"));
    QCOMPARE(spin->value(), 0);

    QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(spin, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(spin->text(), QString());
    QCOMPARE(clipboard->text(), QStringLiteral("$1F x"));
    QCOMPARE(beeps->count(), 0);
}

void SpinEditTest::arrowsStepTheValue_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("via");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("text");
    struct Case {
        const char* name;
        const char* start;
        bool up;
        const char* text;
    };
    const Case cases[] = {
        {"up from 235", "235", true, "236"},
        {"down drops leading zero", "0235", false, "234"},
        {"up through zero", "-1", true, "0"},
        {"down below zero", "0", false, "-1"},
        {"up from a plus sign", "+7", true, "8"},
        {"up from hex", "$10", true, "17"},
        {"down from eight F digits", "0xFFFFFFFF", false, "-2"},
        {"up from a fraction", "19.5", true, "1"},
        {"down from empty", "", false, "-1"},
        {"up from text", "abc", true, "1"},
        {"up stays at the largest", "2147483647", true, "2147483647"},
        {"down stays at the smallest", "-2147483648", false, "-2147483648"},
        {"up from an out-of-range number", "2147483648", true, "1"},
    };
    for (const Case& c : cases) {
        for (const char* via : {"key", "button"})
            QTest::addRow("%s by %s", c.name, via) << c.start << via << c.up << c.text;
    }
}

void SpinEditTest::arrowsStepTheValue()
{
    QFETCH(QString, start);
    QFETCH(QString, via);
    QFETCH(bool, up);
    QFETCH(QString, text);
    spin->setText(start);
    if (via == QLatin1String("key")) {
        QTest::keyClick(spin, up ? Qt::Key_Up : Qt::Key_Down);
    } else {
        QToolButton* button = ArrowAt(up);
        QVERIFY(button);
        QCOMPARE(button, up ? spin->upButton() : spin->downButton());
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QCOMPARE(spin->text(), text);
    QCOMPARE(beeps->count(), 0);
    QVERIFY(spin->hasFocus());
}

void SpinEditTest::valueIsTheTextReadAsANumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("leading zero") << "0235" << 235;
    QTest::newRow("leading blanks") << "  -3" << -3;
    QTest::newRow("trailing blank") << "19 " << 0;
    QTest::newRow("hex") << "0x1f" << 31;
    QTest::newRow("decimal separator") << "12.5" << 0;
}

void SpinEditTest::valueIsTheTextReadAsANumber()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    spin->setText(text);
    QCOMPARE(spin->value(), value);
    QCOMPARE(spin->text(), text); // reading never rewrites what the user typed
}

QTEST_MAIN(SpinEditTest)
#include "spin_edit_test.moc"
