#include "startup/startup_relocation.h"

#include <cstdio>
#include <exception>
#include <string>

#include "platform/exe_image.h"
#include "platform/file_attributes.h"
#include "platform/quoted_name.h"
#include "startup/startup_retry.h"

namespace startup
{

namespace
{

constexpr std::string_view kCleanupArgument = "deltemp";
constexpr std::string_view kHandoverCopy = "temp0a0.exe";
constexpr std::string_view kHandoverName = "TEMP0A0.EXE";

std::string FolderOf(const std::string& path)
{
    return path.substr(0, path.rfind('/') + 1);
}

std::string FileNameOf(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);
}

std::string AsciiUpper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// Clearing the attribute is tried for good: a file that becomes writable simply stays so, and
// only one that cannot (read-only media) needs a copy elsewhere.
bool StaysReadOnly(StartupEnvironment& env, const std::string& exe)
{
    const std::uint32_t attributes = env.FileGetAttr(exe);
    if (attributes == platform::kInvalidFileAttributes ||
        !(attributes & platform::kFileAttributeReadOnly))
        return false;
    env.FileSetAttr(exe, attributes ^ platform::kFileAttributeReadOnly);
    const std::uint32_t after = env.FileGetAttr(exe);
    return after != platform::kInvalidFileAttributes && (after & platform::kFileAttributeReadOnly);
}

// Writes the whole image, once. Replacing keeps a half-written copy from ever standing under
// the target's name, where a later start would run it unchanged.
void SaveExeImage(StartupEnvironment& env, const std::string& target)
{
    if (platform::ExeImage().empty())
        env.LoadExeImage();
    if (platform::ExeImage().empty())
        return;
    env.ReplaceFile(target, platform::ExeImage());
}

void Relocate(StartupEnvironment& env, const std::string& name)
{
    const std::string folder = env.WindowsDriveRoot() + "/" + name;
    const std::string target = folder + "/" + name;
    if (!env.FileExists(target)) {
        env.CreateFolder(folder);
        SaveExeImage(env, target);
    }
    env.Launch(target, "");
    env.RequestQuit();
}

void CleanUpHandoverCopy(StartupEnvironment& env, const std::string& folder)
{
    // On Windows the copy's name resolves in any letter case, so every spelling of it goes
    // here. A copy that outlives the limit is left behind; the program starts all the same.
    for (const std::string& copy : env.FindNamesIgnoringCase(folder, std::string(kHandoverCopy))) {
        DeleteWithRetry(env, copy);
        env.DeleteFileOnce(copy);
    }
}

std::string ReplacementTarget(StartupEnvironment& env, const std::string& exe)
{
    const std::string argument = env.FirstArgument();
    if (argument.empty())
        throw StartupError(platform::QuotedName(exe) +
                           " was started without the path of the program to "
                           "replace.");
    const std::string target = argument.front() == '/' ? argument : FolderOf(exe) + argument;
    // Two different spellings ("./temp0a0.exe") or a link may name the same file.
    if (target == exe || env.SameFile(target, exe))
        throw StartupError(platform::QuotedName(exe) + " cannot replace itself.");
    return target;
}

void HandOver(StartupEnvironment& env, const std::string& exe)
{
    env.LoadExeImage();
    const std::string target = ReplacementTarget(env, exe);
    if (!platform::ExeImage().empty())
        ReplaceWithRetry(env, target, platform::ExeImage());
    env.Launch(target, std::string(kCleanupArgument));
    env.RequestQuit();
}

} // namespace

void RelocateAtStartup(StartupEnvironment& env)
{
    const std::string exe = env.ExecutablePath();
    env.SetCurrentFolder(FolderOf(exe));
    if (StaysReadOnly(env, exe))
        Relocate(env, FileNameOf(exe));
    if (env.FirstArgument() == kCleanupArgument)
        CleanUpHandoverCopy(env, FolderOf(exe));
    if (AsciiUpper(FileNameOf(exe)) == kHandoverName)
        HandOver(env, exe);
}

bool RunStartupStep(std::string_view firstArgument, platform::MessagePump& pump)
{
    try {
        PosixStartupEnvironment env{std::string(firstArgument), pump};
        RelocateAtStartup(env);
        return true;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Sitewright cannot start: %s\n", error.what());
        return false;
    }
}

} // namespace startup
