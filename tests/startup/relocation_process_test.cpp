// The start-up pass across real processes: copies of the probe program are started, and what
// they and the programs they start report is compared with what must happen on disk.

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <vector>

#include "process_harness.h"
#include "tests/support/file_bytes.h"

namespace
{

namespace fs = std::filesystem;
using Marker = ProcessHarness::Marker;

// The marker of the process started from `exe`. A handover copy may already be deleted by the
// program it started when it writes its marker; the kernel then names it "<path> (deleted)".
const Marker* Find(const std::vector<Marker>& markers, const std::string& exe)
{
    for (const Marker& m : markers)
        if (m.count("exe") && (m.at("exe") == exe || m.at("exe") == exe + " (deleted)"))
            return &m;
    return nullptr;
}

bool IsExecutable(const std::string& path)
{
    struct stat info {
    };
    return stat(path.c_str(), &info) == 0 && (info.st_mode & S_IXUSR);
}

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A build of the program with data of its own appended, as a rewritten executable carries.
std::string Build(const std::string& appended)
{
    return ProbeImage() + "SO!#JPG2\xB6" + appended + "EO!#JPG2";
}

struct HandoverCase {
    std::string name;
    std::string copyName;
    bool copyRemoved;
};

void PrintTo(const HandoverCase& c, std::ostream* os)
{
    *os << c.name;
}

class Handover : public ::testing::TestWithParam<HandoverCase>
{
};

TEST_P(Handover, CopyReplacesProgramStartsItAndIsRemoved)
{
    ProcessHarness h;
    const std::string folder = h.Root() + "/apps";
    fs::create_directory(folder);
    const std::string program = folder + "/Tool";
    const std::string copy = folder + "/" + GetParam().copyName;
    const std::string newBuild = Build("new build, a little longer");
    WriteBytes(program, Build("old build"), 0755);
    WriteBytes(copy, newBuild, 0755);

    const pid_t copyPid = h.Start(copy, {program});
    const std::vector<Marker> markers = h.WaitForMarkers(2);
    EXPECT_EQ(h.WaitForExit(copyPid), 0);

    const Marker* fromCopy = Find(markers, copy);
    const Marker* fromProgram = Find(markers, program);
    ASSERT_TRUE(fromCopy && fromProgram) << "markers seen: " << markers.size();
    EXPECT_EQ(fromCopy->at("quit"), "1");
    EXPECT_EQ(fromProgram->at("arg"), "deltemp");
    EXPECT_EQ(fromProgram->at("quit"), "0");
    EXPECT_EQ(fromProgram->at("cwd") + "/", folder + "/");
    EXPECT_NE(fromProgram->at("sid"), fromCopy->at("sid")) << "not started detached";
    EXPECT_TRUE(ReadBytes(program) == newBuild) << "the program was not replaced byte for byte";
    EXPECT_TRUE(IsExecutable(program));
    EXPECT_EQ(fs::exists(copy), !GetParam().copyRemoved);
    EXPECT_EQ(FolderEntries(folder).size(), GetParam().copyRemoved ? 1u : 2u);
}

INSTANTIATE_TEST_SUITE_P(CopyNames, Handover,
                         ::testing::Values(HandoverCase{"LowerCase", "temp0a0.exe", true},
                                           // Found by its name in any case, and removed in any case
                                           // too, also on a case-sensitive file system.
                                           HandoverCase{"MixedCase", "TeMp0A0.ExE", true}),
                         [](const ::testing::TestParamInfo<HandoverCase>& info) {
                             return info.param.name;
                         });

TEST(HandoverFailure, CopyWithoutTargetEndsBeforeStartingWithClearError)
{
    ProcessHarness h;
    const std::string copy = h.Root() + "/temp0a0.exe";
    WriteBytes(copy, ProbeImage(), 0755);
    const pid_t pid = h.Start(copy, {});
    EXPECT_EQ(h.WaitForExit(pid), 1);
    EXPECT_NE(ReadBytes(h.StderrPath()).find("Sitewright cannot start: "), std::string::npos);
    EXPECT_TRUE(fs::exists(copy));
}

// A handover copy given "deltemp" in place of a path removes its own file in the cleanup (a
// running program's file can be removed here), and then has no image left to hand over.
TEST(HandoverFailure, CopyStartedWithDeltempRemovesItselfAndEndsWithClearError)
{
    ProcessHarness h;
    const std::string copy = h.Root() + "/temp0a0.exe";
    WriteBytes(copy, ProbeImage(), 0755);
    const pid_t pid = h.Start(copy, {"deltemp"});
    EXPECT_EQ(h.WaitForExit(pid), 1);
    const std::string error = ReadBytes(h.StderrPath());
    EXPECT_EQ(error.rfind("Sitewright cannot start: ", 0), 0u) << error;
    EXPECT_NE(error.find("\"" + copy + "\""), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_EQ(FolderEntries(h.Root()), (std::vector<std::string>{"home", "markers", "stderr.txt"}));
}

// Targets a handover copy must not replace: itself however spelled, and anything that is no
// regular file. The copy ends with an error saying why, and the target stays as it was.
struct RefusedTarget {
    std::string name;
    std::string argument;                         // relative to the copy's folder
    std::function<void(const std::string&)> make; // makes the target in the folder
    std::string says;
};

void PrintTo(const RefusedTarget& c, std::ostream* os)
{
    *os << c.name;
}

class HandoverRefuses : public ::testing::TestWithParam<RefusedTarget>
{
};

TEST_P(HandoverRefuses, TargetWithClearErrorAndKeepsIt)
{
    ProcessHarness h;
    const std::string copy = h.Root() + "/temp0a0.exe";
    WriteBytes(copy, ProbeImage(), 0755);
    GetParam().make(h.Root());
    struct stat before {
    };
    ASSERT_EQ(lstat((h.Root() + "/" + GetParam().argument).c_str(), &before), 0);
    const pid_t pid = h.Start(copy, {GetParam().argument});
    EXPECT_EQ(h.WaitForExit(pid), 1);
    const std::string error = ReadBytes(h.StderrPath());
    EXPECT_EQ(error.rfind("Sitewright cannot start: ", 0), 0u) << error;
    EXPECT_NE(error.find(GetParam().says), std::string::npos) << error;
    struct stat after {
    };
    ASSERT_EQ(lstat((h.Root() + "/" + GetParam().argument).c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode, before.st_mode);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, HandoverRefuses,
    ::testing::Values(
        RefusedTarget{"ItselfSpelledOtherwise", "./temp0a0.exe", [](const std::string&) {},
                      "cannot replace itself"},
        RefusedTarget{"Fifo", "pipe",
                      [](const std::string& folder) { mkfifo((folder + "/pipe").c_str(), 0600); },
                      "It is a FIFO, not a regular file."},
        RefusedTarget{"Folder", "folder",
                      [](const std::string& folder) { fs::create_directory(folder + "/folder"); },
                      "It is a folder, not a regular file."}),
    [](const ::testing::TestParamInfo<RefusedTarget>& info) { return info.param.name; });

struct CleanupCase {
    std::string name;
    std::string argument;
    bool copyPresent;
    bool copyRemains;
};

void PrintTo(const CleanupCase& c, std::ostream* os)
{
    *os << c.name;
}

class Cleanup : public ::testing::TestWithParam<CleanupCase>
{
};

TEST_P(Cleanup, StartsNormallyAndRemovesOnlyWhenAsked)
{
    ProcessHarness h;
    const std::string program = h.Root() + "/Tool";
    const std::string copy = h.Root() + "/temp0a0.exe";
    WriteBytes(program, ProbeImage(), 0755);
    if (GetParam().copyPresent)
        WriteBytes(copy, "left over", 0644);

    h.Start(program, {GetParam().argument});
    const std::vector<Marker> markers = h.WaitForMarkers(1);
    const Marker* fromProgram = Find(markers, program);
    ASSERT_TRUE(fromProgram) << "the program did not start";
    EXPECT_EQ(fromProgram->at("quit"), "0");
    EXPECT_EQ(fs::exists(copy), GetParam().copyRemains);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, Cleanup,
    ::testing::Values(CleanupCase{"DeltempRemovesCopy", "deltemp", true, false},
                      CleanupCase{"DeltempWithoutCopy", "deltemp", false, false},
                      CleanupCase{"OtherCaseLeavesCopy", "DELTEMP", true, true},
                      CleanupCase{"OtherArgumentLeavesCopy", "deltemp2", true, true}),
    [](const ::testing::TestParamInfo<CleanupCase>& info) { return info.param.name; });

TEST(ReadOnlyProgram, OnWritableMediaBecomesWritableAndStartsWhereItIs)
{
    ProcessHarness h;
    const std::string program = h.Root() + "/Tool";
    WriteBytes(program, ProbeImage(), 0555);
    h.Start(program, {});
    const std::vector<Marker> markers = h.WaitForMarkers(1);
    ASSERT_EQ(markers.size(), 1u);
    EXPECT_EQ(markers[0].at("exe"), program);
    EXPECT_EQ(markers[0].at("quit"), "0");
    struct stat info {
    };
    ASSERT_EQ(stat(program.c_str(), &info), 0);
    EXPECT_TRUE(info.st_mode & S_IWUSR);
    EXPECT_FALSE(fs::exists(h.Home() + "/Tool"));
}

// A folder shown read-only at another place, as long as the object lives.
class ReadOnlyMount
{
public:
    ReadOnlyMount(const std::string& source, const std::string& at) : at_(at)
    {
        fs::create_directory(at);
        if (mount(source.c_str(), at.c_str(), nullptr, MS_BIND, nullptr) != 0) {
            error_ = std::strerror(errno);
            return;
        }
        mounted_ = true;
        if (mount(nullptr, at.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
            error_ = std::strerror(errno);
    }
    ~ReadOnlyMount()
    {
        if (mounted_)
            umount2(at_.c_str(), MNT_DETACH);
    }
    ReadOnlyMount(const ReadOnlyMount&) = delete;
    ReadOnlyMount& operator=(const ReadOnlyMount&) = delete;
    const std::string& Error() const { return error_; }

private:
    std::string at_;
    std::string error_;
    bool mounted_ = false;
};

struct MediaCase {
    std::string name;
    bool earlierCopy;
};

void PrintTo(const MediaCase& c, std::ostream* os)
{
    *os << c.name;
}

class ReadOnlyMedia : public ::testing::TestWithParam<MediaCase>
{
};

TEST_P(ReadOnlyMedia, StartsTheCopyInTheHomeFolderAndEnds)
{
    ProcessHarness h;
    const std::string source = h.Root() + "/disc";
    fs::create_directory(source);
    const std::string build = Build("delivered branding");
    WriteBytes(source + "/Tool", build, 0555);
    const std::string target = h.Home() + "/Tool/Tool";
    const std::string earlier = Build("an older build");
    if (GetParam().earlierCopy) {
        fs::create_directory(h.Home() + "/Tool");
        WriteBytes(target, earlier, 0755);
    }
    // The process tests end every program before this mount goes.
    const ReadOnlyMount media(source, h.Root() + "/media");
    if (!media.Error().empty())
        GTEST_SKIP() << "needs a read-only bind mount, which this user may not make: "
                     << media.Error();

    const std::string program = h.Root() + "/media/Tool";
    const pid_t pid = h.Start(program, {"an argument"});
    const std::vector<Marker> markers = h.WaitForMarkers(2);
    EXPECT_EQ(h.WaitForExit(pid), 0);
    const Marker* fromMedia = Find(markers, program);
    const Marker* fromCopy = Find(markers, target);
    ASSERT_TRUE(fromMedia && fromCopy) << "markers seen: " << markers.size();
    EXPECT_EQ(fromMedia->at("quit"), "1");
    EXPECT_EQ(fromCopy->at("quit"), "0");
    EXPECT_EQ(fromCopy->at("argc"), "1") << "arguments must not be passed on";
    EXPECT_NE(fromCopy->at("sid"), fromMedia->at("sid")) << "not started detached";
    EXPECT_TRUE(ReadBytes(target) == (GetParam().earlierCopy ? earlier : build));
    EXPECT_TRUE(IsExecutable(target));
    EXPECT_EQ(FolderEntries(h.Home() + "/Tool"), std::vector<std::string>{"Tool"});
}

INSTANTIATE_TEST_SUITE_P(Targets, ReadOnlyMedia,
                         ::testing::Values(MediaCase{"FreshCopy", false},
                                           MediaCase{"EarlierCopyStartedUnchanged", true}),
                         [](const ::testing::TestParamInfo<MediaCase>& info) {
                             return info.param.name;
                         });

// A folder in the way of the copy is no earlier copy: writing the copy fails, and the program
// ends with the start-up error instead of starting the folder and leaving nothing running.
TEST(ReadOnlyMediaFailure, FolderInPlaceOfTheCopyEndsWithClearError)
{
    ProcessHarness h;
    const std::string source = h.Root() + "/disc";
    fs::create_directory(source);
    WriteBytes(source + "/Tool", ProbeImage(), 0555);
    const std::string target = h.Home() + "/Tool/Tool";
    fs::create_directories(target);
    const ReadOnlyMount media(source, h.Root() + "/media");
    if (!media.Error().empty())
        GTEST_SKIP() << "needs a read-only bind mount, which this user may not make: "
                     << media.Error();

    const pid_t pid = h.Start(h.Root() + "/media/Tool", {});
    EXPECT_EQ(h.WaitForExit(pid), 1);
    const std::string error = ReadBytes(h.StderrPath());
    EXPECT_EQ(error, "Sitewright cannot start: Cannot create file \"" + target +
                         "\". It is a folder, not a regular file.\n");
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(FolderEntries(h.Home() + "/Tool"), std::vector<std::string>{"Tool"});
}

// A home folder that cannot be written: the error names the call, the folder and the reason.
TEST(ReadOnlyMediaFailure, ReadOnlyHomeNamesTheCallAndTheReason)
{
    ProcessHarness h;
    const std::string source = h.Root() + "/disc";
    fs::create_directory(source);
    WriteBytes(source + "/Tool", ProbeImage(), 0555);
    const ReadOnlyMount media(source, h.Root() + "/media");
    const ReadOnlyMount home(h.Home(), h.Home());
    if (!media.Error().empty() || !home.Error().empty())
        GTEST_SKIP() << "needs read-only bind mounts, which this user may not make: "
                     << media.Error() << home.Error();
    const pid_t pid = h.Start(h.Root() + "/media/Tool", {});
    EXPECT_EQ(h.WaitForExit(pid), 1);
    EXPECT_EQ(ReadBytes(h.StderrPath()), "Sitewright cannot start: Cannot create folder \"" +
                                             h.Home() + "/Tool\". Read-only file system (mkdir)\n");
}

} // namespace
