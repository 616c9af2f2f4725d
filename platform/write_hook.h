#pragma once

#include <functional>
#include <string>

namespace platform
{

// A test's way into the moment between checking a file and writing it: while a ScopedWriteHook
// lives, every checked write (a page's upgrade, a batch's file) calls it with the target's path
// first, so a test can swap a name for a link exactly there instead of racing a timer.
class ScopedWriteHook
{
public:
    explicit ScopedWriteHook(std::function<void(const std::string& target)> hook);
    ~ScopedWriteHook();
    ScopedWriteHook(const ScopedWriteHook&) = delete;
    ScopedWriteHook& operator=(const ScopedWriteHook&) = delete;

private:
    std::function<void(const std::string&)> previous_;
};

void RunWriteHook(const std::string& target);

} // namespace platform
