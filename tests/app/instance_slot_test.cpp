#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

#include "app/code_window.h"
#include "app/instance_slot.h"
#include "app/main_window.h"

class InstanceSlotTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void slotsAreTakenLowestFirstAndFreedAtTheEnd();
    void noFolderOrNoFreeSlotGivesTheDesignedPlace_data();
    void noFolderOrNoFreeSlotGivesTheDesignedPlace();
    void windowsOpenAtTheirOffset();
};

void InstanceSlotTest::slotsAreTakenLowestFirstAndFreedAtTheEnd()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    auto first = std::make_unique<InstanceSlot>(folder.path());
    const InstanceSlot second(folder.path());
    QCOMPARE(first->number(), 0);
    QCOMPARE(second.number(), 1);
    QCOMPARE(second.offset(), QPoint(InstanceSlot::kStep, InstanceSlot::kStep));
    first.reset();
    const InstanceSlot third(folder.path());
    QCOMPARE(third.number(), 0);
    const InstanceSlot fourth(folder.path());
    QCOMPARE(fourth.number(), 2);
}

void InstanceSlotTest::noFolderOrNoFreeSlotGivesTheDesignedPlace_data()
{
    QTest::addColumn<QString>("folder"); // "*" stands for a folder with every slot taken
    QTest::newRow("no folder") << "";
    QTest::newRow("missing folder") << "/nonexistent/sitewright";
    QTest::newRow("every slot taken") << "*";
}

void InstanceSlotTest::noFolderOrNoFreeSlotGivesTheDesignedPlace()
{
    QFETCH(QString, folder);
    QTemporaryDir scratch;
    std::vector<std::unique_ptr<InstanceSlot>> taken;
    if (folder == QLatin1String("*")) {
        folder = scratch.path();
        for (int i = 0; i < InstanceSlot::kSlots; ++i)
            taken.push_back(std::make_unique<InstanceSlot>(folder));
        QCOMPARE(taken.back()->number(), InstanceSlot::kSlots - 1);
    }
    const InstanceSlot slot(folder);
    QCOMPARE(slot.number(), 0);
    QCOMPARE(slot.offset(), QPoint(0, 0));
    // The lock files number no more than the slots.
    if (!taken.empty())
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), qsizetype(InstanceSlot::kSlots));
}

// A second copy's windows open down and right of the first's, the code window included.
void InstanceSlotTest::windowsOpenAtTheirOffset()
{
    // The user's own settings neither reach the windows nor change.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    const QPoint offset(InstanceSlot::kStep, InstanceSlot::kStep);
    MainWindow first;
    SetWindowOffset(offset);
    MainWindow second;
    CodeWindow code;
    SetWindowOffset(QPoint());
    QCOMPARE(second.pos() - first.pos(), offset);
    QCOMPARE(code.pos(), QPoint(180, 170) + offset);
}

QTEST_MAIN(InstanceSlotTest)
#include "instance_slot_test.moc"
