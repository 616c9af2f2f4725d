#include "widgets/xp_button.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

namespace
{

// A window with an edit field and two buttons, shown and active, the first button focused.
struct Window {
    Window()
    {
        widget.resize(300, 120);
        edit = new QLineEdit(&widget);
        edit->setGeometry(10, 10, 100, 20);
        first = new TxpButton(&widget);
        first->setGeometry(10, 40, 89, 25);
        second = new TxpButton(&widget);
        second->setGeometry(110, 40, 89, 25);
    }

    bool Show()
    {
        widget.show();
        QApplication::setActiveWindow(&widget);
        if (!QTest::qWaitForWindowActive(&widget))
            return false;
        first->setFocus(Qt::OtherFocusReason);
        return first->hasFocus();
    }

    QWidget widget;
    QLineEdit* edit;
    TxpButton* first;
    TxpButton* second;
};

void SendKey(QWidget* to, QEvent::Type type, int key, bool autoRepeat,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = QString())
{
    QKeyEvent event(type, key, modifiers, text, autoRepeat);
    QApplication::sendEvent(to, &event);
}

} // namespace

class XpButtonTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsAsTheDefaultButton();
    void captionRepaintsOnlyWhenChanged();
    void mouseClickPressesThenClicks();
    void doubleClickGivesTwoClicks();
    void releaseOutsideLeavesThePressPending();
    void pointerLeavingDuringPressDropsTheReversedFace();
    void rightButtonDoesNothing();
    void spaceHeldWithRepeatsClicksOnceAtRelease();
    void anyKeyReleaseEndsAKeyboardPress();
    void enterClicksTheFocusedButton();
    void dialogKeysClickDefaultAndCancelButtons();
    void mnemonics_data();
    void mnemonics();
    void disabledButtonIgnoresMnemonicAndDefault();
    void focusIsFollowedAndReported();
    void modalResultGoesToAnOwningDialog();
    void clickHandlerMayDeleteTheButton();
};

void XpButtonTest::startsAsTheDefaultButton()
{
    QWidget parent;
    TxpButton button(&parent);
    QCOMPARE(button.size(), QSize(75, 25));
    QCOMPARE(button.Caption(), QStringLiteral("XP Button"));
    QVERIFY(button.isEnabled());
    QVERIFY(!button.Hovered() && !button.Pressed() && !button.HasFocus());
    QVERIFY(!button.Cancel() && !button.Default());
    QCOMPARE(button.ModalResult(), 0);
    QCOMPARE(button.FontColor(), QColor(Qt::black));
    QVERIFY(button.focusPolicy() & Qt::TabFocus);
    QCOMPARE(button.Owner(), &parent);
}

// Counts the paints the button receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

void XpButtonTest::captionRepaintsOnlyWhenChanged()
{
    Window window;
    QVERIFY(window.Show());
    QTest::qWait(0);
    PaintCounter counter;
    window.first->installEventFilter(&counter);
    window.first->SetCaption(QStringLiteral("XP Button"));
    QCOMPARE(counter.paints, 0);
    window.first->SetCaption(QStringLiteral("Preview"));
    QCOMPARE(counter.paints, 1);
    window.first->SetFont(window.first->Font());
    QCOMPARE(counter.paints, 2);
}

void XpButtonTest::mouseClickPressesThenClicks()
{
    Window window;
    QVERIFY(window.Show());
    window.edit->setFocus();
    QSignalSpy clicks(window.second, &TxpButton::clicked);
    QTest::mousePress(window.second, Qt::LeftButton);
    QVERIFY(window.second->Pressed());
    QVERIFY(window.second->HasFocus());
    QCOMPARE(clicks.count(), 0);
    QTest::mouseRelease(window.second, Qt::LeftButton);
    QVERIFY(!window.second->Pressed());
    QCOMPARE(clicks.count(), 1);
}

// The toolkit reports a double-click as press, release, press, double-click, release.
void XpButtonTest::doubleClickGivesTwoClicks()
{
    Window window;
    QVERIFY(window.Show());
    QSignalSpy clicks(window.first, &TxpButton::clicked);
    QTest::mouseClick(window.first, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);
    QTest::mousePress(window.first, Qt::LeftButton);
    QTest::mouseDClick(window.first, Qt::LeftButton);
    QCOMPARE(clicks.count(), 2);
    QVERIFY(!window.first->Pressed());
    QTest::mouseRelease(window.first, Qt::LeftButton);
    QCOMPARE(clicks.count(), 2);
}

void XpButtonTest::releaseOutsideLeavesThePressPending()
{
    Window window;
    QVERIFY(window.Show());
    QSignalSpy clicks(window.first, &TxpButton::clicked);
    QTest::mousePress(window.first, Qt::LeftButton);
    QTest::mouseRelease(window.first, Qt::LeftButton, {}, QPoint(150, 12));
    QCOMPARE(clicks.count(), 0);
    QVERIFY(window.first->Pressed());
    // A later press does nothing; the next release over the button clicks once.
    QTest::mousePress(window.first, Qt::LeftButton);
    QTest::mouseRelease(window.first, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);
    QVERIFY(!window.first->Pressed());
    QTest::mouseRelease(window.first, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);
}

void XpButtonTest::pointerLeavingDuringPressDropsTheReversedFace()
{
    Window window;
    QVERIFY(window.Show());
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(window.first, &enter);
    QVERIFY(window.first->Hovered());
    QTest::mousePress(window.first, Qt::LeftButton);
    QTest::mouseMove(window.first, QPoint(200, 5));
    QVERIFY(!window.first->Hovered());
    QTest::mouseMove(window.first, QPoint(20, 5));
    QVERIFY(window.first->Hovered());
    QTest::mouseRelease(window.first, Qt::LeftButton, {}, QPoint(20, 5));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(window.first, &leave);
    QVERIFY(!window.first->Hovered());
}

void XpButtonTest::rightButtonDoesNothing()
{
    Window window;
    QVERIFY(window.Show());
    window.edit->setFocus();
    QSignalSpy clicks(window.second, &TxpButton::clicked);
    QTest::mouseClick(window.second, Qt::RightButton);
    QCOMPARE(clicks.count(), 0);
    QVERIFY(!window.second->Pressed());
    QVERIFY(!window.second->HasFocus());
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5),
                           window.second->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(window.second, &menu);
    QVERIFY(menu.isAccepted());
}

void XpButtonTest::spaceHeldWithRepeatsClicksOnceAtRelease()
{
    Window window;
    QVERIFY(window.Show());
    QSignalSpy clicks(window.first, &TxpButton::clicked);
    SendKey(window.first, QEvent::KeyPress, Qt::Key_Space, false, {}, QStringLiteral(" "));
    for (int i = 0; i < 3; ++i) {
        SendKey(window.first, QEvent::KeyRelease, Qt::Key_Space, true, {}, QStringLiteral(" "));
        SendKey(window.first, QEvent::KeyPress, Qt::Key_Space, true, {}, QStringLiteral(" "));
    }
    QVERIFY(window.first->Pressed());
    QCOMPARE(clicks.count(), 0);
    SendKey(window.first, QEvent::KeyRelease, Qt::Key_Space, false, {}, QStringLiteral(" "));
    QCOMPARE(clicks.count(), 1);
    QVERIFY(!window.first->Pressed());
}

void XpButtonTest::anyKeyReleaseEndsAKeyboardPress()
{
    Window window;
    QVERIFY(window.Show());
    QSignalSpy clicks(window.first, &TxpButton::clicked);
    QTest::keyPress(window.first, Qt::Key_Space);
    QTest::keyPress(window.first, Qt::Key_Shift);
    QTest::keyRelease(window.first, Qt::Key_Shift);
    QCOMPARE(clicks.count(), 1);
    QTest::keyRelease(window.first, Qt::Key_Space);
    QCOMPARE(clicks.count(), 1);
}

void XpButtonTest::enterClicksTheFocusedButton()
{
    Window window;
    QVERIFY(window.Show());
    QSignalSpy clicks(window.first, &TxpButton::clicked);
    QTest::keyPress(window.first, Qt::Key_Return);
    QCOMPARE(clicks.count(), 0);
    QVERIFY(window.first->Pressed());
    QTest::keyRelease(window.first, Qt::Key_Return);
    QCOMPARE(clicks.count(), 1);
    // Escape does nothing while no button is the cancel button.
    QTest::keyClick(window.first, Qt::Key_Escape);
    QCOMPARE(clicks.count(), 1);
    QVERIFY(!window.first->Pressed());
}

// The window offers Enter to default buttons before the focused button sees the key press.
void XpButtonTest::dialogKeysClickDefaultAndCancelButtons()
{
    Window window;
    QVERIFY(window.Show());
    window.second->SetDefault(true);
    auto* third = new TxpButton(&window.widget);
    third->SetDefault(true);
    third->SetCancel(true);
    third->hide(); // visibility is not consulted
    QSignalSpy focused(window.first, &TxpButton::clicked);
    QSignalSpy byDefault(window.second, &TxpButton::clicked);
    QSignalSpy both(third, &TxpButton::clicked);
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

void XpButtonTest::mnemonics_data()
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

void XpButtonTest::mnemonics()
{
    QFETCH(QString, caption);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, fromEdit);
    QFETCH(int, clicks);
    Window window;
    window.second->SetCaption(caption);
    auto* twin = new TxpButton(&window.widget);
    twin->SetCaption(caption);
    QVERIFY(window.Show());
    QWidget* target = fromEdit ? static_cast<QWidget*>(window.edit) : window.first;
    target->setFocus();
    QSignalSpy spy(window.second, &TxpButton::clicked);
    QSignalSpy twinSpy(twin, &TxpButton::clicked);
    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(spy.count(), clicks);
    QCOMPARE(twinSpy.count(), clicks);
}

void XpButtonTest::disabledButtonIgnoresMnemonicAndDefault()
{
    Window window;
    window.second->SetCaption(QStringLiteral("&Go"));
    window.second->SetDefault(true);
    window.second->SetCancel(true);
    window.second->setEnabled(false);
    QVERIFY(window.Show());
    window.edit->setFocus();
    QSignalSpy clicks(window.second, &TxpButton::clicked);
    QTest::keyClick(window.edit, Qt::Key_G, Qt::AltModifier);
    QTest::keyClick(window.edit, Qt::Key_Return);
    QTest::keyClick(window.edit, Qt::Key_Escape);
    QTest::mouseClick(window.second, Qt::LeftButton);
    QCOMPARE(clicks.count(), 0);
    window.second->Click();
    QCOMPARE(clicks.count(), 1);
}

void XpButtonTest::focusIsFollowedAndReported()
{
    Window window;
    QVERIFY(window.Show());
    QVERIFY(window.first->HasFocus());
    QSignalSpy entered(window.second, &TxpButton::entered);
    QSignalSpy exited(window.first, &TxpButton::exited);
    QTest::keyClick(window.first, Qt::Key_Tab);
    QVERIFY(window.second->HasFocus());
    QVERIFY(!window.first->HasFocus());
    QCOMPARE(entered.count(), 1);
    QCOMPARE(exited.count(), 1);
}

void XpButtonTest::modalResultGoesToAnOwningDialog()
{
    QDialog dialog;
    auto* owned = new TxpButton(&dialog);
    owned->SetModalResult(QDialog::Accepted + 6);
    auto* panel = new QWidget(&dialog);
    auto* onPanel = new TxpButton(panel);
    onPanel->SetModalResult(3);
    dialog.open();
    int resultDuringClick = -1;
    QObject::connect(owned, &TxpButton::clicked, &dialog,
                     [&] { resultDuringClick = dialog.result(); });
    onPanel->Click();
    QCOMPARE(dialog.result(), 0);
    QVERIFY(dialog.isVisible());
    owned->Click();
    QCOMPARE(resultDuringClick, 0);
    QCOMPARE(dialog.result(), 7);
    QVERIFY(!dialog.isVisible());

    owned->SetModalResult(0);
    dialog.setResult(0);
    owned->Click();
    QCOMPARE(dialog.result(), 0);
}

void XpButtonTest::clickHandlerMayDeleteTheButton()
{
    Window window;
    QVERIFY(window.Show());
    QPointer<TxpButton> button = window.first;
    QObject::connect(button, &TxpButton::clicked, &window.widget, [&] { delete button.data(); });
    QTest::keyPress(button, Qt::Key_Space);
    QTest::keyRelease(button, Qt::Key_Space);
    QVERIFY(button.isNull());
}

QTEST_MAIN(XpButtonTest)
#include "xp_button_test.moc"
