#include "platform/message_pump.h"

#include <utility>

namespace platform
{

CallbackMessagePump::CallbackMessagePump(std::function<void()> process)
    : process_(std::move(process))
{
}

void CallbackMessagePump::ProcessMessages()
{
    if (process_)
        process_();
}

} // namespace platform
