#pragma once

#include <QLockFile>
#include <QPoint>
#include <QString>
#include <memory>

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

    int number() const { return number_; }
    QPoint offset() const { return QPoint(number_ * kStep, number_ * kStep); }

private:
    std::unique_ptr<QLockFile> lock_;
    int number_ = 0;
};

// The folder for the slots' lock files: the user's runtime folder, or "" when there is none.
QString InstanceFolder();

// How far this copy's windows open from their designed places; (0, 0) until the program entry
// sets it from its InstanceSlot.
QPoint WindowOffset();
void SetWindowOffset(QPoint offset);
