#include "widgets/kept_scroll_bar.h"

#include <QApplication>
#include <QCursor>
#include <QHoverEvent>
#include <QScrollBar>
#include <QTest>
#include <QWidget>

#include <functional>

using BarChange = std::function<void(QScrollBar&)>;
Q_DECLARE_METATYPE(BarChange)

namespace
{

// The bar's pixels as its whole window draws them, where it stands.
QImage InWindow(const QScrollBar& bar)
{
    const QImage window = bar.window()->grab().toImage();
    const qreal ratio = window.devicePixelRatio();
    return window.copy(QRect(bar.mapTo(bar.window(), QPoint(0, 0)) * ratio, bar.size() * ratio));
}

// The pixels `plain`, changed as `bar` was, draws standing in the window in the bar's stead.
QImage DrawnInItsPlace(QScrollBar& bar, QScrollBar& plain)
{
    plain.setParent(bar.parentWidget());
    plain.setGeometry(bar.geometry());
    bar.hide();
    plain.show();
    const QImage drawn = InWindow(plain);
    plain.hide();
    bar.show();
    return drawn;
}

} // namespace

class KeptScrollBarTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void samePixelsAsAPlainOne_data();
    void samePixelsAsAPlainOne();
};

void KeptScrollBarTest::samePixelsAsAPlainOne_data()
{
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::addColumn<BarChange>("change");
    QTest::addColumn<bool>("kept");
    const auto rows = [](const char* name, bool kept, const BarChange& change) {
        for (const Qt::Orientation o : {Qt::Vertical, Qt::Horizontal})
            QTest::addRow("%s, %s", name, o == Qt::Vertical ? "vertical" : "horizontal")
                << o << change << kept;
    };
    const bool sameWhenActive = QPalette().isEqual(QPalette::Active, QPalette::Inactive);
    rows("window activated", sameWhenActive, [](QScrollBar& bar) {
        bar.window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(bar.window()));
    });
    rows("nothing", true, [](QScrollBar&) {});
    rows("moved", true, [](QScrollBar& bar) { bar.move(bar.pos() + QPoint(5, 5)); });
    // Moved with what holds it, the bar itself gets no event, but stands elsewhere in the window.
    rows("holder moved", true, [](QScrollBar& bar) {
        bar.parentWidget()->move(bar.parentWidget()->pos() - QPoint(150, 150));
    });
    rows("hidden and shown", true, [](QScrollBar& bar) { bar.hide(), bar.show(); });
    rows("value", false, [](QScrollBar& bar) { bar.setValue(40); });
    rows("range", false, [](QScrollBar& bar) { bar.setRange(0, 1000); });
    rows("page step", false, [](QScrollBar& bar) { bar.setPageStep(80); });
    rows("disabled", false, [](QScrollBar& bar) { bar.setEnabled(false); });
    rows("size", false, [](QScrollBar& bar) { bar.resize(bar.size() + QSize(30, 30)); });
    rows("palette", false, [](QScrollBar& bar) {
        QPalette palette = bar.palette();
        palette.setColor(QPalette::Button, Qt::yellow);
        bar.setPalette(palette);
    });
    // Sent to the bar itself, as a pointer moved by a test may miss it on a scaled screen.
    rows("pointer over it and away", false, [](QScrollBar& bar) {
        const QPointF inside(8, 8);
        const QPointF outside(-1, -1);
        QHoverEvent over(QEvent::HoverEnter, inside, bar.mapToGlobal(inside), outside);
        QApplication::sendEvent(&bar, &over);
        QHoverEvent away(QEvent::HoverLeave, outside, bar.mapToGlobal(outside), inside);
        QApplication::sendEvent(&bar, &away);
    });
}

// Kept, then changed: the picture stays only when nothing could have changed it, and the pixels
// in the window are always those of a plain scroll bar in the same state at the same place.
void KeptScrollBarTest::samePixelsAsAPlainOne()
{
    QFETCH(Qt::Orientation, orientation);
    QFETCH(BarChange, change);
    QFETCH(bool, kept);
    // The bar stands in a holder, as a scroll area holds its bars, far from its window's corner.
    QWidget window;
    window.resize(520, 420);
    QWidget holder(&window);
    holder.setGeometry(8, 8, 497, 400);
    QScrollBar plain(orientation, &holder);
    KeptScrollBar bar(orientation, &holder);
    const QSize size = orientation == Qt::Vertical ? QSize(16, 300) : QSize(300, 16);
    for (QScrollBar* each : {&plain, static_cast<QScrollBar*>(&bar)}) {
        each->setGeometry(
            QRect(orientation == Qt::Vertical ? QPoint(465, 9) : QPoint(9, 329), size));
        each->setRange(0, 100);
        each->setPageStep(20);
    }
    plain.hide();
    // Away from the pointer, which lights up what it hovers.
    QCursor::setPos(QPoint(2000, 2000));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    bar.Keep();
    QVERIFY(bar.HoldsPicture());
    const QImage copied = InWindow(bar);
    QCOMPARE(copied, DrawnInItsPlace(bar, plain));
    // Each is changed standing alone in the same place.
    bar.hide();
    plain.show();
    change(plain);
    plain.hide();
    bar.show();
    change(bar);
    QCOMPARE(bar.HoldsPicture(), kept);
    const QImage shown = InWindow(bar);
    QCOMPARE(shown, DrawnInItsPlace(bar, plain));
}

QTEST_MAIN(KeptScrollBarTest)
#include "kept_scroll_bar_test.moc"
