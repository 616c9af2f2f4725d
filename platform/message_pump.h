#pragma once

#include <functional>

namespace platform
{

// The application's event processing as the start-up code sees it, so that it stays free of
// the window toolkit.
class MessagePump
{
public:
    virtual ~MessagePump() = default;
    // Handles every event that is pending now, then returns.
    virtual void ProcessMessages() = 0;
    // Asks the application to end. Nothing stops here: the request takes effect once the
    // application's event loop runs.
    virtual void RequestQuit() = 0;
};

// A pump that hands event processing to a function and remembers a quit request, for the
// program entry to act on when it starts its event loop.
class CallbackMessagePump final : public MessagePump
{
public:
    explicit CallbackMessagePump(std::function<void()> process = {});
    void ProcessMessages() override;
    void RequestQuit() override { quitRequested_ = true; }
    bool QuitRequested() const { return quitRequested_; }

private:
    std::function<void()> process_;
    bool quitRequested_ = false;
};

} // namespace platform
