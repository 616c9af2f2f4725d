// The page keys on a real X server: the keyboard's own translation of Shift+Tab (a key of its
// own there) must reach the page shortcuts as one unambiguous key. Runs page_keys_probe on a
// virtual display of its own and types with xdotool.
#include <QTemporaryDir>
#include <QTest>

#include "generators/gadget_table.h"
#include "tests/support/virtual_display.h"

class PageKeysX11Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keysStepThroughPages_data();
    void keysStepThroughPages();
};

// Each row starts with page 1 shown and expects the page after each key.
void PageKeysX11Test::keysStepThroughPages_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QList<int>>("pages");
    const int last = static_cast<int>(gen::GadgetTable().size());
    QTest::newRow("ctrl+shift+tab")
        << QStringList({"ctrl+shift+Tab", "ctrl+shift+Tab"}) << QList<int>({last, last - 1});
    QTest::newRow("ctrl+tab") << QStringList({"ctrl+Tab", "ctrl+Tab"}) << QList<int>({2, 3});
    QTest::newRow("back and forth")
        << QStringList({"ctrl+Page_Down", "ctrl+shift+Tab", "ctrl+Page_Up", "ctrl+Tab"})
        << QList<int>({2, 1, last, 1});
    QTest::newRow("alt+digit") << QStringList({"alt+3", "ctrl+shift+Tab"}) << QList<int>({3, 2});
}

void PageKeysX11Test::keysStepThroughPages()
{
    QFETCH(QStringList, keys);
    QFETCH(QList<int>, pages);
    if (!VirtualDisplay::Available())
        QSKIP("Needs Xvfb and xdotool");
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    VirtualDisplay display;
    QVERIFY(display.Start(scratch.path()));
    QProcess& probe = display.Launch(QStringLiteral(PAGE_KEYS_PROBE));
    const auto shows = [&probe](int page) {
        QStringList lines;
        return VirtualDisplay::ReadUntil(probe, lines, [page](const QStringList& l) {
            return l.contains(QStringLiteral("page %1").arg(page));
        });
    };
    QVERIFY(shows(1));
    for (qsizetype i = 0; i < keys.size(); ++i) {
        QVERIFY(display.Xdotool({QStringLiteral("key"), keys[i]}));
        QVERIFY2(shows(pages[i]), qPrintable(keys[i]));
    }
}

QTEST_GUILESS_MAIN(PageKeysX11Test)
#include "page_keys_x11_test.moc"
