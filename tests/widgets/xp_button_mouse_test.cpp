#include "button_window.h"

#include <QContextMenuEvent>
#include <QDialog>
#include <QSignalSpy>

class XpButtonMouseTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsAsTheDefaultButton();
    void captionRepaintsOnlyWhenChanged();
    void mouseClickPressesThenClicks();
    void pressAndReleasePaintAtOnce();
    void pointerCrossingPaintsAtOnce();
    void doubleClickGivesTwoClicks();
    void doubleClickFromTheWindowSystem();
    void releaseOutsideLeavesThePressPending();
    void pendingPressEndsAtAnyKeyRelease();
    void pointerLeavingDuringPressDropsTheReversedFace();
    void rightButtonDoesNothing();
    void modalResultGoesToAnOwningDialog();
};

void XpButtonMouseTest::startsAsTheDefaultButton()
{
    QWidget parent;
    XpButton button(&parent);
    QCOMPARE(button.size(), QSize(75, 25));
    QCOMPARE(button.caption(), QStringLiteral("XP Button"));
    QVERIFY(button.isEnabled());
    QVERIFY(!button.isHovered() && !button.isPressed() && !button.drawsFocus());
    QVERIFY(!button.isCancel() && !button.isDefault());
    QCOMPARE(button.modalResult(), 0);
    QCOMPARE(button.captionColor(), QColor(Qt::black));
    QVERIFY(button.focusPolicy() & Qt::TabFocus);
    QCOMPARE(button.owner(), &parent);
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

void XpButtonMouseTest::captionRepaintsOnlyWhenChanged()
{
    Window window;
    QVERIFY(window.Show());
    QTest::qWait(0);
    PaintCounter counter;
    window.first->installEventFilter(&counter);
    window.first->setCaption(QStringLiteral("XP Button"));
    QCOMPARE(counter.paints, 0);
    window.first->setCaption(QStringLiteral("Preview"));
    QCOMPARE(counter.paints, 1);
    window.first->setCaptionFont(window.first->captionFont());
    QCOMPARE(counter.paints, 2);
}

void XpButtonMouseTest::mouseClickPressesThenClicks()
{
    Window window;
    QVERIFY(window.Show());
    window.edit->setFocus();
    QSignalSpy clicks(window.second, &XpButton::clicked);
    QTest::mousePress(window.second, Qt::LeftButton);
    QVERIFY(window.second->isPressed());
    QVERIFY(window.second->drawsFocus());
    QCOMPARE(clicks.count(), 0);
    QTest::mouseRelease(window.second, Qt::LeftButton);
    QVERIFY(!window.second->isPressed());
    QCOMPARE(clicks.count(), 1);
}

// The state each paint of a button was drawn with.
class PaintLog : public QObject
{
public:
    struct Paint {
        bool pressed, hasFocus;
    };
    QList<Paint> paints;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            const auto* button = static_cast<XpButton*>(watched);
            paints.append({button->isPressed(), button->drawsFocus()});
        }
        return false;
    }
};

// The press is drawn before the handler returns, already with the focus it brought; the
// release is drawn before the click handler runs.
void XpButtonMouseTest::pressAndReleasePaintAtOnce()
{
    Window window;
    QVERIFY(window.Show());
    window.edit->setFocus();
    QTest::qWait(0);
    PaintLog log;
    window.second->installEventFilter(&log);
    QTest::mousePress(window.second, Qt::LeftButton);
    QCOMPARE(log.paints.size(), 1);
    QVERIFY(log.paints.last().pressed && log.paints.last().hasFocus);
    qsizetype paintsAtClick = -1;
    QObject::connect(window.second, &XpButton::clicked, &window.widget,
                     [&] { paintsAtClick = log.paints.size(); });
    QTest::mouseRelease(window.second, Qt::LeftButton);
    QCOMPARE(paintsAtClick, 2);
    QVERIFY(!log.paints.at(1).pressed);
}

void XpButtonMouseTest::pointerCrossingPaintsAtOnce()
{
    Window window;
    QVERIFY(window.Show());
    QTest::qWait(0);
    PaintCounter counter;
    window.second->installEventFilter(&counter);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(window.second, &enter);
    QVERIFY(window.second->isHovered());
    QCOMPARE(counter.paints, 1);
    QApplication::sendEvent(window.second, &enter);
    QCOMPARE(counter.paints, 1);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(window.second, &leave);
    QVERIFY(!window.second->isHovered());
    QCOMPARE(counter.paints, 2);
}

// Events sent straight to the widget may bring a press just before the double-click.
void XpButtonMouseTest::doubleClickGivesTwoClicks()
{
    Window window;
    QVERIFY(window.Show());
    QSignalSpy clicks(window.first, &XpButton::clicked);
    QTest::mouseClick(window.first, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);
    QTest::mousePress(window.first, Qt::LeftButton);
    QTest::mouseDClick(window.first, Qt::LeftButton);
    QCOMPARE(clicks.count(), 2);
    QVERIFY(!window.first->isPressed());
    QTest::mouseRelease(window.first, Qt::LeftButton);
    QCOMPARE(clicks.count(), 2);
}

// Through the window system the second press arrives as the double-click itself: it clicks
// without showing the pressed look, and the release after it does nothing.
void XpButtonMouseTest::doubleClickFromTheWindowSystem()
{
    Window window;
    QVERIFY(window.Show());
    QWindow* handle = window.widget.windowHandle();
    const QPoint at = window.first->geometry().center();
    QTest::mouseMove(handle, at);
    QVERIFY(window.first->isHovered());
    QTest::qWait(0);
    PaintCounter counter;
    window.first->installEventFilter(&counter);
    QSignalSpy clicks(window.first, &XpButton::clicked);
    QTest::mouseDClick(handle, Qt::LeftButton, {}, at);
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(counter.paints, 2);
    QVERIFY(!window.first->isPressed());
    QTest::mouseRelease(handle, Qt::LeftButton, {}, at);
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(counter.paints, 2);
}

void XpButtonMouseTest::releaseOutsideLeavesThePressPending()
{
    Window window;
    QVERIFY(window.Show());
    QSignalSpy clicks(window.first, &XpButton::clicked);
    QTest::mousePress(window.first, Qt::LeftButton);
    QTest::mouseRelease(window.first, Qt::LeftButton, {}, QPoint(150, 12));
    QCOMPARE(clicks.count(), 0);
    QVERIFY(window.first->isPressed());
    // A later press does nothing; the next release over the button clicks once.
    QTest::mousePress(window.first, Qt::LeftButton);
    QTest::mouseRelease(window.first, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);
    QVERIFY(!window.first->isPressed());
    QTest::mouseRelease(window.first, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);
}

void XpButtonMouseTest::pendingPressEndsAtAnyKeyRelease()
{
    Window window;
    QVERIFY(window.Show());
    QSignalSpy clicks(window.first, &XpButton::clicked);
    QTest::mousePress(window.first, Qt::LeftButton);
    QTest::mouseRelease(window.first, Qt::LeftButton, {}, QPoint(150, 12));
    QVERIFY(window.first->isPressed());
    QTest::keyPress(window.first, Qt::Key_Shift);
    QCOMPARE(clicks.count(), 0);
    QTest::keyRelease(window.first, Qt::Key_Shift);
    QCOMPARE(clicks.count(), 1);
    QVERIFY(!window.first->isPressed());
}

void XpButtonMouseTest::pointerLeavingDuringPressDropsTheReversedFace()
{
    Window window;
    QVERIFY(window.Show());
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(window.first, &enter);
    QVERIFY(window.first->isHovered());
    QTest::mousePress(window.first, Qt::LeftButton);
    QTest::mouseMove(window.first, QPoint(200, 5));
    QVERIFY(!window.first->isHovered());
    QTest::mouseMove(window.first, QPoint(20, 5));
    QVERIFY(window.first->isHovered());
    QTest::mouseRelease(window.first, Qt::LeftButton, {}, QPoint(20, 5));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(window.first, &leave);
    QVERIFY(!window.first->isHovered());
}

void XpButtonMouseTest::rightButtonDoesNothing()
{
    Window window;
    QVERIFY(window.Show());
    window.edit->setFocus();
    QSignalSpy clicks(window.second, &XpButton::clicked);
    QTest::mouseClick(window.second, Qt::RightButton);
    QCOMPARE(clicks.count(), 0);
    QVERIFY(!window.second->isPressed());
    QVERIFY(!window.second->drawsFocus());
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5),
                           window.second->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(window.second, &menu);
    QVERIFY(menu.isAccepted());
}

void XpButtonMouseTest::modalResultGoesToAnOwningDialog()
{
    QDialog dialog;
    auto* owned = new XpButton(&dialog);
    owned->setModalResult(QDialog::Accepted + 6);
    auto* panel = new QWidget(&dialog);
    auto* onPanel = new XpButton(panel);
    onPanel->setModalResult(3);
    dialog.open();
    int resultDuringClick = -1;
    QObject::connect(owned, &XpButton::clicked, &dialog,
                     [&] { resultDuringClick = dialog.result(); });
    onPanel->click();
    QCOMPARE(dialog.result(), 0);
    QVERIFY(dialog.isVisible());
    owned->click();
    QCOMPARE(resultDuringClick, 0);
    QCOMPARE(dialog.result(), 7);
    QVERIFY(!dialog.isVisible());

    owned->setModalResult(0);
    dialog.setResult(0);
    owned->click();
    QCOMPARE(dialog.result(), 0);
}

QTEST_MAIN(XpButtonMouseTest)
#include "xp_button_mouse_test.moc"
