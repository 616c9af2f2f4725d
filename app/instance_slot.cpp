#include "app/instance_slot.h"

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

InstanceSlot::InstanceSlot(const QString& folder) : lock_(folder.toStdString(), "instance", kSlots)
{
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
