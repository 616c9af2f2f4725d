#include "startup/startup_environment.h"

#include <utility>

#include "platform/exe_image.h"
#include "platform/executable_path.h"
#include "platform/file_attributes.h"
#include "platform/shell.h"
#include "platform/staged_file.h"
#include "platform/user_folders.h"
#include "platform/windows_drive.h"

namespace startup
{

namespace
{
// The show command of a plainly shown window.
constexpr int kShowShown = 5;
} // namespace

PosixStartupEnvironment::PosixStartupEnvironment(std::string firstArgument,
                                                 platform::MessagePump& pump)
    : firstArgument_(std::move(firstArgument)), pump_(pump)
{
}

std::string PosixStartupEnvironment::ExecutablePath()
{
    return platform::ExecutablePath();
}

void PosixStartupEnvironment::SetCurrentFolder(const std::string& folder)
{
    platform::SetCurrentFolder(folder);
}

bool PosixStartupEnvironment::FolderIsUsersToWrite(const std::string& folder)
{
    return platform::FolderIsUsersToWrite(folder);
}

std::uint32_t PosixStartupEnvironment::FileGetAttr(const std::string& path)
{
    return platform::FileGetAttr(path);
}

bool PosixStartupEnvironment::FileSetAttr(const std::string& path, std::uint32_t attributes)
{
    return platform::FileSetAttr(path, attributes);
}

bool PosixStartupEnvironment::FileExists(const std::string& path)
{
    return platform::FileExists(path);
}

platform::DeleteOutcome PosixStartupEnvironment::DeleteFileOnce(const std::string& path)
{
    return platform::DeleteFileOnce(path);
}

void PosixStartupEnvironment::CreateFolder(const std::string& path)
{
    platform::CreateFolder(path);
}

std::string PosixStartupEnvironment::WindowsDriveRoot()
{
    return platform::WindowsDriveRoot();
}

void PosixStartupEnvironment::LoadExeImage()
{
    platform::LoadExeImage();
}

bool PosixStartupEnvironment::SameFile(const std::string& a, const std::string& b)
{
    return platform::SameFile(a, b);
}

std::vector<std::string> PosixStartupEnvironment::FindNamesIgnoringCase(const std::string& folder,
                                                                        const std::string& name)
{
    return platform::FindNamesIgnoringCase(folder, name);
}

void PosixStartupEnvironment::ReplaceFile(const std::string& target, std::string_view bytes)
{
    platform::ReplaceFile(target, bytes, platform::NewFileMode::Executable);
}

std::string PosixStartupEnvironment::StageFile(const std::string& target, std::string_view bytes)
{
    return platform::StageFile(target, bytes);
}

bool PosixStartupEnvironment::CommitStagedFile(const std::string& staged, const std::string& target)
{
    return platform::CommitStagedFile(staged, target);
}

void PosixStartupEnvironment::DiscardStagedFile(const std::string& staged)
{
    platform::DiscardStagedFile(staged);
}

void PosixStartupEnvironment::Launch(const std::string& file, const std::string& parameters)
{
    platform::ShellExecute(nullptr, "open", file, parameters, "", kShowShown);
}

} // namespace startup
