#include "startup/startup_retry.h"

#include <cerrno>
#include <cstring>

#include "platform/file_attributes.h"
#include "platform/quoted_name.h"

namespace startup
{

namespace
{

bool RetryTimeIsUp(platform::TickCounter& ticks, std::uint32_t start)
{
    return static_cast<std::uint32_t>(ticks.Ticks() - start) >= kRetryLimitMs;
}

} // namespace

void DelayWithMessages(std::uint32_t milliseconds, platform::TickCounter& ticks,
                       platform::MessagePump& pump)
{
    const std::uint32_t start = ticks.Ticks();
    // Unsigned subtraction measures the span correctly across a wrap of the counter.
    while (static_cast<std::uint32_t>(ticks.Ticks() - start) < milliseconds)
        pump.ProcessMessages();
}

bool DeleteWithRetry(StartupEnvironment& env, const std::string& path)
{
    const std::uint32_t start = env.Ticks();
    for (;;) {
        if (env.DeleteFileOnce(path) != platform::DeleteOutcome::Failed)
            return true;
        // Waiting for ever would keep the program from ever showing a window; the other side
        // of a handover ends within moments, so a file still there after the limit stays.
        if (RetryTimeIsUp(env, start))
            return false;
        const std::uint32_t attributes = env.FileGetAttr(path);
        if (attributes != platform::kInvalidFileAttributes &&
            (attributes & platform::kFileAttributeReadOnly))
            env.FileSetAttr(path, attributes ^ platform::kFileAttributeReadOnly);
        DelayWithMessages(kRetryIntervalMs, env, env);
    }
}

void ReplaceWithRetry(StartupEnvironment& env, const std::string& target, std::string_view bytes)
{
    // Writing the new content before the old one goes keeps a usable program under the target's
    // name whatever fails: a full disk, a folder we may not write, a move that never succeeds.
    const std::string staged = env.StageFile(target, bytes);
    const std::uint32_t start = env.Ticks();
    while (!env.CommitStagedFile(staged, target)) {
        if (RetryTimeIsUp(env, start)) {
            const int error = errno;
            env.DiscardStagedFile(staged);
            throw StartupError("Cannot replace " + platform::QuotedName(target) +
                               ": it could not be overwritten for 30 seconds. " +
                               std::strerror(error) + " (rename)");
        }
        DelayWithMessages(kRetryIntervalMs, env, env);
    }
}

} // namespace startup
