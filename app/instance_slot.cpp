#include "app/instance_slot.h"

#include <QDir>
#include <exception>

#include "platform/user_folders.h"

namespace
{

QPoint& Offset()
{
    static QPoint offset;
    return offset;
}

} // namespace

InstanceSlot::InstanceSlot(const QString& folder)
{
    if (folder.isEmpty())
        return;
    for (int n = 0; n < kSlots; ++n) {
        auto lock = std::make_unique<QLockFile>(
            QDir(folder).filePath(QStringLiteral("instance-%1.lock").arg(n)));
        // A lock is stale only when its program is gone, however long that program has run.
        lock->setStaleLockTime(0);
        if (lock->tryLock(0)) {
            lock_ = std::move(lock);
            number_ = n;
            return;
        }
    }
}

QString InstanceFolder()
{
    try {
        return QString::fromStdString(platform::UserRuntimeFolder());
    } catch (const std::exception&) {
        return {}; // the windows simply open in their designed places
    }
}

QPoint WindowOffset()
{
    return Offset();
}

void SetWindowOffset(QPoint offset)
{
    Offset() = offset;
}
