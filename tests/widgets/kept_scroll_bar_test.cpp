#include "widgets/kept_scroll_bar.h"

#include <QApplication>
#include <QCursor>
#include <QScrollBar>
#include <QTest>
#include <QWidget>

#include <functional>

using BarChange = std::function<void(QScrollBar&)>;
Q_DECLARE_METATYPE(BarChange)

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
    rows("pointer over it and away", false, [](QScrollBar& bar) {
        QTest::mouseMove(&bar, QPoint(8, 8));
        QTest::mouseMove(bar.window(), QPoint(390, 390));
    });
}

// Kept, then changed: the picture stays only when nothing could have changed it, and the pixels
// are always those of a plain scroll bar in the same state.
void KeptScrollBarTest::samePixelsAsAPlainOne()
{
    QFETCH(Qt::Orientation, orientation);
    QFETCH(BarChange, change);
    QFETCH(bool, kept);
    QWidget window;
    window.resize(400, 400);
    QScrollBar plain(orientation, &window);
    KeptScrollBar bar(orientation, &window);
    const QSize size = orientation == Qt::Vertical ? QSize(16, 300) : QSize(300, 16);
    for (QScrollBar* each : {&plain, static_cast<QScrollBar*>(&bar)}) {
        each->resize(size);
        each->setRange(0, 100);
        each->setPageStep(20);
    }
    // Both away from the pointer, which lights up what it hovers.
    QCursor::setPos(QPoint(2000, 2000));
    plain.move(orientation == Qt::Vertical ? QPoint(100, 50) : QPoint(50, 100));
    bar.move(orientation == Qt::Vertical ? QPoint(200, 50) : QPoint(50, 200));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    bar.Keep();
    QVERIFY(bar.HoldsPicture());
    QCOMPARE(bar.grab().toImage(), plain.grab().toImage());
    change(plain);
    change(bar);
    QCOMPARE(bar.HoldsPicture(), kept);
    QCOMPARE(bar.grab().toImage(), plain.grab().toImage());
}

QTEST_MAIN(KeptScrollBarTest)
#include "kept_scroll_bar_test.moc"
