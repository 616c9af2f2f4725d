#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "startup/startup_environment.h"

namespace startup
{

// An error that ends the program during start-up, before any window exists.
class StartupError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Pause between two attempts of a retried file operation, and the span after which it gives up.
constexpr std::uint32_t kRetryIntervalMs = 10;
constexpr std::uint32_t kRetryLimitMs = 30000;

// Returns once at least `milliseconds` have passed on `ticks`, counted from the call, also when
// the counter wraps around meanwhile; 0 returns at once. Between readings it processes all
// pending events through `pump`. It does not sleep.
void DelayWithMessages(std::uint32_t milliseconds, platform::TickCounter& ticks,
                       platform::MessagePump& pump);

// Removes the file `path`, trying again every kRetryIntervalMs while it cannot be removed and
// clearing its read-only attribute between tries. Returns true once the file is gone (a file
// that does not exist counts as removed), false when it is still there after kRetryLimitMs.
bool DeleteWithRetry(StartupEnvironment& env, const std::string& path);

// Puts `bytes` in place of the file `target` as an executable: the bytes are first written in
// full beside the target, then moved over it, trying the move again every kRetryIntervalMs for
// at most kRetryLimitMs. Throws StartupError (or the error of the write) and leaves the target as
// it was when it cannot; the target is never left missing or half written.
void ReplaceWithRetry(StartupEnvironment& env, const std::string& target, std::string_view bytes);

} // namespace startup
