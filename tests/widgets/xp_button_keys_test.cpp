#include "button_window.h"

#include "widgets/caption_text.h"
#include "widgets/held_keys.h"

#include <QAccessible>
#include <QPointer>
#include <QSignalSpy>

class XpButtonKeysTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void spaceHeldWithRepeatsClicksOnceAtRelease();
    void unmarkedRepeatsClickOnce_data();
    void unmarkedRepeatsClickOnce();
    void anyKeyReleaseEndsAKeyboardPress();
    void enterClicksTheFocusedButton();
    void dialogKeysClickDefaultAndCancelButtons();
    void mnemonics_data();
    void mnemonics();
    void acceleratorRule_data();
    void acceleratorRule();
    void disabledButtonIgnoresMnemonicAndDefault();
    void focusIsFollowedAndReported();
    void popupRoundTripIsNoChangeOfControl();
    void firstActivationEntersOnlyOnce();
    void clickHandlerMayDeleteTheButton();
    void toolsSeeAPushButton();
};

void XpButtonKeysTest::spaceHeldWithRepeatsClicksOnceAtRelease()
{
    Window window;
    QVERIFY(window.Show());
    QSignalSpy clicks(window.first, &XpButton::clicked);
    SendKey(window.first, QEvent::KeyPress, Qt::Key_Space, false, {}, QStringLiteral(" "));
    for (int i = 0; i < 3; ++i) {
        SendKey(window.first, QEvent::KeyRelease, Qt::Key_Space, true, {}, QStringLiteral(" "));
        SendKey(window.first, QEvent::KeyPress, Qt::Key_Space, true, {}, QStringLiteral(" "));
    }
    QVERIFY(window.first->isPressed());
    QCOMPARE(clicks.count(), 0);
    SendKey(window.first, QEvent::KeyRelease, Qt::Key_Space, false, {}, QStringLiteral(" "));
    QCOMPARE(clicks.count(), 1);
    QVERIFY(!window.first->isPressed());
}

namespace
{

void SendTimedKey(QWidget* to, QEvent::Type type, int key, quint64 time)
{
    QKeyEvent event(type, key, Qt::NoModifier,
                    key == Qt::Key_Space ? QStringLiteral(" ") : QString());
    event.setTimestamp(time);
    QApplication::sendEvent(to, &event);
}

} // namespace

// Auto-repeat as some window systems deliver it: a release and a press with the same time,
// neither marked as repeated. `letGoAt` is the repeat during which the user lets go, so its
// release is the first to find the key up; the release that follows is the real one.
void XpButtonKeysTest::unmarkedRepeatsClickOnce_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("letGoAt");
    QTest::addColumn<int>("clicksBeforeRealRelease");
    QTest::newRow("space held") << int(Qt::Key_Space) << -1 << 0;
    QTest::newRow("enter held") << int(Qt::Key_Return) << -1 << 0;
    QTest::newRow("let go during a repeat") << int(Qt::Key_Space) << 2 << 1;
}

void XpButtonKeysTest::unmarkedRepeatsClickOnce()
{
    QFETCH(int, key);
    QFETCH(int, letGoAt);
    QFETCH(int, clicksBeforeRealRelease);
    Window window;
    QVERIFY(window.Show());
    QSignalSpy clicks(window.first, &XpButton::clicked);
    bool held = true;
    const HeldKeysOverride keys([&](const QKeyEvent&) { return held; });
    SendTimedKey(window.first, QEvent::KeyPress, key, 1000);
    for (int i = 0; i < 4; ++i) {
        const quint64 time = 1500 + 40 * i;
        held = i != letGoAt;
        SendTimedKey(window.first, QEvent::KeyRelease, key, time);
        SendTimedKey(window.first, QEvent::KeyPress, key, time);
    }
    QCOMPARE(clicks.count(), clicksBeforeRealRelease);
    held = false;
    SendTimedKey(window.first, QEvent::KeyRelease, key, 1700);
    QCOMPARE(clicks.count(), 1);
    QVERIFY(!window.first->isPressed());
}

void XpButtonKeysTest::anyKeyReleaseEndsAKeyboardPress()
{
    Window window;
    QVERIFY(window.Show());
    QSignalSpy clicks(window.first, &XpButton::clicked);
    QTest::keyPress(window.first, Qt::Key_Space);
    QTest::keyPress(window.first, Qt::Key_Shift);
    QTest::keyRelease(window.first, Qt::Key_Shift);
    QCOMPARE(clicks.count(), 1);
    QTest::keyRelease(window.first, Qt::Key_Space);
    QCOMPARE(clicks.count(), 1);
}

void XpButtonKeysTest::enterClicksTheFocusedButton()
{
    Window window;
    QVERIFY(window.Show());
    QSignalSpy clicks(window.first, &XpButton::clicked);
    QTest::keyPress(window.first, Qt::Key_Return);
    QCOMPARE(clicks.count(), 0);
    QVERIFY(window.first->isPressed());
    QTest::keyRelease(window.first, Qt::Key_Return);
    QCOMPARE(clicks.count(), 1);
    // Escape does nothing while no button is the cancel button.
    QTest::keyClick(window.first, Qt::Key_Escape);
    QCOMPARE(clicks.count(), 1);
    QVERIFY(!window.first->isPressed());
}

// The window offers Enter to default buttons before the focused button sees the key press.
void XpButtonKeysTest::dialogKeysClickDefaultAndCancelButtons()
{
    Window window;
    QVERIFY(window.Show());
    window.second->setDefault(true);
    auto* third = new XpButton(&window.widget);
    third->setDefault(true);
    third->setCancel(true);
    third->hide(); // visibility is not consulted
    QSignalSpy focused(window.first, &XpButton::clicked);
    QSignalSpy byDefault(window.second, &XpButton::clicked);
    QSignalSpy both(third, &XpButton::clicked);
    QTest::keyPress(window.first, Qt::Key_Return);
    QCOMPARE(byDefault.count(), 1);
    QCOMPARE(both.count(), 1);
    QCOMPARE(focused.count(), 0);
    QTest::keyRelease(window.first, Qt::Key_Return);
    QCOMPARE(focused.count(), 1);
    QCOMPARE(byDefault.count(), 1);

    window.edit->setFocus();
    QTest::keyClick(window.edit, Qt::Key_Escape);
    QCOMPARE(both.count(), 2);
    QCOMPARE(byDefault.count(), 1);
    QTest::keyClick(window.edit, Qt::Key_Enter);
    QCOMPARE(byDefault.count(), 2);
    QCOMPARE(both.count(), 3);
    QCOMPARE(focused.count(), 1);
}

void XpButtonKeysTest::mnemonics_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("fromEdit");
    QTest::addColumn<int>("clicks");
    const int alt = Qt::AltModifier;
    const int altShift = Qt::AltModifier | Qt::ShiftModifier;
    QTest::newRow("Alt+f") << "Save &File" << int(Qt::Key_F) << alt << false << 1;
    QTest::newRow("Alt+F") << "Save &File" << int(Qt::Key_F) << altShift << false << 1;
    QTest::newRow("Alt+f from an edit") << "Save &File" << int(Qt::Key_F) << alt << true << 1;
    QTest::newRow("f without Alt") << "Save &File" << int(Qt::Key_F) << 0 << false << 1;
    QTest::newRow("f typed into an edit") << "Save &File" << int(Qt::Key_F) << 0 << true << 0;
    QTest::newRow("other letter") << "Save &File" << int(Qt::Key_S) << alt << false << 0;
    QTest::newRow("A&&B, Alt+a") << "A&&B" << int(Qt::Key_A) << alt << false << 0;
    QTest::newRow("A&&B, Alt+b") << "A&&B" << int(Qt::Key_B) << alt << false << 0;
    QTest::newRow("&A&B, Alt+b") << "&A&B" << int(Qt::Key_B) << alt << false << 1;
    QTest::newRow("&A&B, Alt+a") << "&A&B" << int(Qt::Key_A) << alt << false << 0;
    QTest::newRow("trailing &") << "Go&" << int(Qt::Key_O) << alt << false << 0;
    QTest::newRow("digit") << "Step &2" << int(Qt::Key_2) << alt << false << 1;
}

void XpButtonKeysTest::mnemonics()
{
    QFETCH(QString, caption);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, fromEdit);
    QFETCH(int, clicks);
    Window window;
    window.second->setCaption(caption);
    auto* twin = new XpButton(&window.widget);
    twin->setCaption(caption);
    QVERIFY(window.Show());
    QWidget* target = fromEdit ? static_cast<QWidget*>(window.edit) : window.first;
    target->setFocus();
    QSignalSpy spy(window.second, &XpButton::clicked);
    QSignalSpy twinSpy(twin, &XpButton::clicked);
    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(spy.count(), clicks);
    QCOMPARE(twinSpy.count(), clicks);
}

void XpButtonKeysTest::acceleratorRule_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("matches");
    QTest::newRow("upper letter, lower typed") << "Save &File"
                                               << "f" << true;
    QTest::newRow("lower letter, upper typed") << "save &file"
                                               << "F" << true;
    QTest::newRow("letter after the accelerator") << "Save &File"
                                                  << "i" << false;
    QTest::newRow("no ampersand") << "Save File"
                                  << "s" << false;
    QTest::newRow("doubled ampersand") << "A&&B"
                                       << "&" << false;
    QTest::newRow("doubled then single") << "A&&&B"
                                         << "b" << true;
    QTest::newRow("later replaces earlier") << "&A&B"
                                            << "b" << true;
    QTest::newRow("earlier replaced") << "&A&B"
                                      << "a" << false;
    QTest::newRow("trailing ampersand ignored") << "&Go&"
                                                << "g" << true;
    QTest::newRow("only a trailing ampersand") << "Go&"
                                               << "o" << false;
    QTest::newRow("accented letters keep their case")
        << QString::fromUtf8("&\xc3\xa9t\xc3\xa9") << QString::fromUtf8("\xc3\x89") << false;
    QTest::newRow("accented letter itself")
        << QString::fromUtf8("&\xc3\xa9t\xc3\xa9") << QString::fromUtf8("\xc3\xa9") << true;
    QTest::newRow("character beyond 16 bits whole")
        << QString::fromUtf8("&\xf0\x9f\x98\x80!") << QString::fromUtf8("\xf0\x9f\x98\x80") << true;
    QTest::newRow("after a character beyond 16 bits")
        << QString::fromUtf8("\xf0\x9f\x98\x80&x") << "x" << true;
}

void XpButtonKeysTest::acceleratorRule()
{
    QFETCH(QString, caption);
    QFETCH(QString, typed);
    QFETCH(bool, matches);
    QCOMPARE(caption::MatchesAccelerator(caption, typed), matches);
}

void XpButtonKeysTest::disabledButtonIgnoresMnemonicAndDefault()
{
    Window window;
    window.second->setCaption(QStringLiteral("&Go"));
    window.second->setDefault(true);
    window.second->setCancel(true);
    window.second->setEnabled(false);
    QVERIFY(window.Show());
    window.edit->setFocus();
    QSignalSpy clicks(window.second, &XpButton::clicked);
    QTest::keyClick(window.edit, Qt::Key_G, Qt::AltModifier);
    QTest::keyClick(window.edit, Qt::Key_Return);
    QTest::keyClick(window.edit, Qt::Key_Escape);
    QTest::mouseClick(window.second, Qt::LeftButton);
    QCOMPARE(clicks.count(), 0);
    window.second->click();
    QCOMPARE(clicks.count(), 1);
}

void XpButtonKeysTest::focusIsFollowedAndReported()
{
    Window window;
    QVERIFY(window.Show());
    QVERIFY(window.first->drawsFocus());
    QSignalSpy entered(window.second, &XpButton::entered);
    QSignalSpy exited(window.first, &XpButton::exited);
    QTest::keyClick(window.first, Qt::Key_Tab);
    QVERIFY(window.second->drawsFocus());
    QVERIFY(!window.first->drawsFocus());
    QCOMPARE(entered.count(), 1);
    QCOMPARE(exited.count(), 1);
}

// A popup borrows the focus and hands it back to the same control: the button shows it lost
// the focus meanwhile, but it never stopped being the window's active control.
void XpButtonKeysTest::popupRoundTripIsNoChangeOfControl()
{
    Window window;
    QVERIFY(window.Show());
    QSignalSpy entered(window.first, &XpButton::entered);
    QSignalSpy exited(window.first, &XpButton::exited);
    QFocusEvent out(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(window.first, &out);
    QVERIFY(!window.first->drawsFocus());
    QFocusEvent in(QEvent::FocusIn, Qt::PopupFocusReason);
    QApplication::sendEvent(window.first, &in);
    QVERIFY(window.first->drawsFocus());
    QCOMPARE(exited.count(), 0);
    QCOMPARE(entered.count(), 0);
}

// A window shown with a button as its focused control makes that button its active control;
// switching to another window and back does not change it.
void XpButtonKeysTest::firstActivationEntersOnlyOnce()
{
    Window window;
    window.second->setFocus();
    QSignalSpy entered(window.second, &XpButton::entered);
    QSignalSpy exited(window.second, &XpButton::exited);
    window.widget.show();
    QApplication::setActiveWindow(&window.widget);
    QVERIFY(QTest::qWaitForWindowActive(&window.widget));
    QVERIFY(window.second->drawsFocus());
    QCOMPARE(entered.count(), 1);

    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QVERIFY(!window.second->drawsFocus());
    QApplication::setActiveWindow(&window.widget);
    QVERIFY(QTest::qWaitForWindowActive(&window.widget));
    QVERIFY(window.second->drawsFocus());
    QCOMPARE(entered.count(), 1);
    QCOMPARE(exited.count(), 0);
}

void XpButtonKeysTest::clickHandlerMayDeleteTheButton()
{
    Window window;
    QVERIFY(window.Show());
    QPointer<XpButton> button = window.first;
    QObject::connect(button, &XpButton::clicked, &window.widget, [&] { delete button.data(); });
    QTest::keyPress(button, Qt::Key_Space);
    QTest::keyRelease(button, Qt::Key_Space);
    QVERIFY(button.isNull());
}

// Accessibility tools see the caption as shown, and their press action is a click.
void XpButtonKeysTest::toolsSeeAPushButton()
{
    Window window;
    QVERIFY(window.Show());
    window.first->setCaption(QStringLiteral("Save &File"));
    QSignalSpy clicks(window.first, &XpButton::clicked);
    QAccessibleInterface* tool = QAccessible::queryAccessibleInterface(window.first);
    QVERIFY(tool);
    QCOMPARE(tool->role(), QAccessible::Button);
    QCOMPARE(tool->text(QAccessible::Name), QStringLiteral("Save File"));
    QVERIFY(tool->state().focused);
    tool->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks.count(), 1);
}

QTEST_MAIN(XpButtonKeysTest)
#include "xp_button_keys_test.moc"
