#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/message_pump.h"
#include "platform/tick_counter.h"

namespace startup
{

// Everything the start-up pass asks of the system, in one place so that tests can stand in for
// it. Each function promises what the platform function of the same name promises.
class StartupEnvironment : public platform::TickCounter, public platform::MessagePump
{
public:
    virtual std::string ExecutablePath() = 0;
    // The first command-line argument; empty when there is none.
    virtual std::string FirstArgument() = 0;
    virtual void SetCurrentFolder(const std::string& folder) = 0;
    virtual bool FolderIsUsersToWrite(const std::string& folder) = 0;
    virtual std::uint32_t FileGetAttr(const std::string& path) = 0;
    virtual bool FileSetAttr(const std::string& path, std::uint32_t attributes) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    virtual platform::DeleteOutcome DeleteFileOnce(const std::string& path) = 0;
    virtual void CreateFolder(const std::string& path) = 0;
    virtual std::string WindowsDriveRoot() = 0;
    // Reads the running executable's file afresh into ExeImage().
    virtual void LoadExeImage() = 0;
    virtual bool SameFile(const std::string& a, const std::string& b) = 0;
    virtual std::vector<std::string> FindNamesIgnoringCase(const std::string& folder,
                                                           const std::string& name) = 0;
    // Replaces `target` with `bytes` as an executable (platform::ReplaceFile).
    virtual void ReplaceFile(const std::string& target, std::string_view bytes) = 0;
    virtual std::string StageFile(const std::string& target, std::string_view bytes) = 0;
    virtual bool CommitStagedFile(const std::string& staged, const std::string& target) = 0;
    virtual void DiscardStagedFile(const std::string& staged) = 0;
    // Starts `file` through the shell's "open", shown, with `parameters` as its parameter text.
    // The outcome is not looked at.
    virtual void Launch(const std::string& file, const std::string& parameters) = 0;
};

// The real system: the platform layer, the shell, the monotonic clock, and `pump` for event
// processing and the quit request.
class PosixStartupEnvironment final : public StartupEnvironment
{
public:
    PosixStartupEnvironment(std::string firstArgument, platform::MessagePump& pump);

    std::uint32_t Ticks() override { return clock_.Ticks(); }
    void ProcessMessages() override { pump_.ProcessMessages(); }
    void RequestQuit() override { pump_.RequestQuit(); }
    std::string ExecutablePath() override;
    std::string FirstArgument() override { return firstArgument_; }
    void SetCurrentFolder(const std::string& folder) override;
    bool FolderIsUsersToWrite(const std::string& folder) override;
    std::uint32_t FileGetAttr(const std::string& path) override;
    bool FileSetAttr(const std::string& path, std::uint32_t attributes) override;
    bool FileExists(const std::string& path) override;
    platform::DeleteOutcome DeleteFileOnce(const std::string& path) override;
    void CreateFolder(const std::string& path) override;
    std::string WindowsDriveRoot() override;
    void LoadExeImage() override;
    bool SameFile(const std::string& a, const std::string& b) override;
    std::vector<std::string> FindNamesIgnoringCase(const std::string& folder,
                                                   const std::string& name) override;
    void ReplaceFile(const std::string& target, std::string_view bytes) override;
    std::string StageFile(const std::string& target, std::string_view bytes) override;
    bool CommitStagedFile(const std::string& staged, const std::string& target) override;
    void DiscardStagedFile(const std::string& staged) override;
    void Launch(const std::string& file, const std::string& parameters) override;

private:
    std::string firstArgument_;
    platform::MessagePump& pump_;
    platform::MonotonicTickCounter clock_;
};

} // namespace startup
