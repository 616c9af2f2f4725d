#include "platform/write_hook.h"

#include <utility>

namespace platform
{

namespace
{

std::function<void(const std::string&)>& Hook()
{
    static std::function<void(const std::string&)> hook;
    return hook;
}

} // namespace

ScopedWriteHook::ScopedWriteHook(std::function<void(const std::string& target)> hook)
    : previous_(std::exchange(Hook(), std::move(hook)))
{
}

ScopedWriteHook::~ScopedWriteHook()
{
    Hook() = std::move(previous_);
}

void RunWriteHook(const std::string& target)
{
    if (Hook())
        Hook()(target);
}

} // namespace platform
