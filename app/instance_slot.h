#pragma once

#include <QPoint>
#include <QString>

#include "platform/slot_lock.h"

// Which of the user's running copies of the program this one is, so that their windows open
// apart instead of on top of each other. The slot is the lowest number n of kSlots whose lock
// file "instance-n.lock" in the given folder no running program holds; it is held while the
// object lives and freed when it goes, also when the program dies. With every slot taken, or no
// folder to keep the locks in, the slot is 0.
class InstanceSlot
{
public:
    static constexpr int kSlots = 8;
    static constexpr int kStep = 32; // pixels right and down per slot

    explicit InstanceSlot(const QString& folder);
    InstanceSlot(const InstanceSlot&) = delete;
    InstanceSlot& operator=(const InstanceSlot&) = delete;

    int number() const { return lock_.Number() < 0 ? 0 : lock_.Number(); }
    QPoint offset() const { return QPoint(number() * kStep, number() * kStep); }

private:
    platform::SlotLock lock_;
};

// The folder for the slots' lock files: the user's runtime folder, or "" when there is none.
QString InstanceFolder();

// How far this copy's windows open from their designed places; (0, 0) until the program entry
// sets it from its InstanceSlot.
QPoint WindowOffset();
void SetWindowOffset(QPoint offset);
