#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "fake_startup_environment.h"
#include "platform/exe_image.h"
#include "startup/startup_relocation.h"
#include "startup/startup_retry.h"

namespace
{

using File = FakeStartupEnvironment::File;

// The program's own file: a build with data appended behind it.
const std::string kImage = std::string("\x7F"
                                       "ELF program",
                                       12) +
                           "SO!#JPG2\xB6"
                           "data"
                           "EO!#JPG2";

struct PassCase {
    std::string name;
    std::string exe = "/apps/Tool.exe";
    std::string argument;
    bool exeReadOnly = false;
    bool exeOnMedia = false;
    std::map<std::string, File> others; // files besides the program's own
    std::set<std::string> unwritable;
    std::set<std::string> systemFolders;
    std::vector<std::string> log;
    std::string error;    // part of the expected error message; empty when the pass succeeds
    bool givesUp = false; // waits out the retry limit
};

const std::string kTarget = "/home/user/Tool.exe/Tool.exe";
const File kOld{"old build", false, false, false, true};
const File kStuck{"old build", true, false, true, true};

std::vector<PassCase> PassCases()
{
    return {
        {.name = "WritableProgramStartsWhereItIs", .log = {"cd /apps/"}},
        {.name = "InstalledProgramKeepsTheWorkingFolder",
         .exe = "/usr/bin/Tool.exe",
         .systemFolders = {"/usr/bin/"},
         .log = {}},
        {.name = "ReadOnlyProgramOnWritableMediaBecomesWritable",
         .exeReadOnly = true,
         .log = {"cd /apps/", "attr /apps/Tool.exe rw"}},
        {.name = "ReadOnlyMediaWritesCopyAndStartsIt",
         .exe = "/cd/Tool.exe",
         .argument = "--ignored",
         .exeOnMedia = true,
         .log = {"cd /cd/", "attr /cd/Tool.exe rw", "mkdir /home/user/Tool.exe", "load",
                 "write " + kTarget, "launch " + kTarget + " ''", "quit"}},
        {.name = "ReadOnlyMediaStartsEarlierCopyUnchanged",
         .exe = "/cd/Tool.exe",
         .exeOnMedia = true,
         .others = {{kTarget, kOld}},
         .log = {"cd /cd/", "attr /cd/Tool.exe rw", "launch " + kTarget + " ''", "quit"}},
        {.name = "ReadOnlyMediaWithDeltempStillCleansUp",
         .exe = "/cd/Tool.exe",
         .argument = "deltemp",
         .exeOnMedia = true,
         .others = {{kTarget, kOld}, {"/cd/temp0a0.exe", kOld}},
         .log = {"cd /cd/", "attr /cd/Tool.exe rw", "launch " + kTarget + " ''", "quit",
                 "delete /cd/temp0a0.exe"}},
        {.name = "RelocationCopyThatCannotBeWrittenEndsStartup",
         .exe = "/cd/Tool.exe",
         .exeOnMedia = true,
         .unwritable = {kTarget},
         .log = {"cd /cd/", "attr /cd/Tool.exe rw", "mkdir /home/user/Tool.exe", "load"},
         .error = "Cannot create file \"" + kTarget + "\""},
        {.name = "DeltempRemovesHandoverCopy",
         .argument = "deltemp",
         .others = {{"/apps/temp0a0.exe", kOld}},
         .log = {"cd /apps/", "delete /apps/temp0a0.exe"}},
        {.name = "DeltempRemovesHandoverCopyInAnyLetterCase",
         .argument = "deltemp",
         .others = {{"/apps/TEMP0A0.EXE", kOld}, {"/apps/Temp0a0.exe", kOld}},
         .log = {"cd /apps/", "delete /apps/TEMP0A0.EXE", "delete /apps/Temp0a0.exe"}},
        {.name = "DeltempWithoutHandoverCopyGoesOnAtOnce",
         .argument = "deltemp",
         .log = {"cd /apps/"}},
        {.name = "DeltempInOtherCaseDoesNoCleanup",
         .argument = "DELTEMP",
         .others = {{"/apps/temp0a0.exe", kOld}},
         .log = {"cd /apps/"}},
        {.name = "HandoverCopyStillInUseIsLeftAfterLimit",
         .argument = "deltemp",
         .others = {{"/apps/temp0a0.exe", kStuck}},
         .log = {"cd /apps/", "attr /apps/temp0a0.exe rw"},
         .givesUp = true},
        {.name = "HandoverReplacesTargetAndStartsIt",
         .exe = "/apps/temp0a0.exe",
         .argument = "/apps/Tool.exe",
         .others = {{"/apps/Tool.exe", kOld}},
         .log = {"cd /apps/", "load", "write /apps/Tool.exe", "launch /apps/Tool.exe 'deltemp'",
                 "quit"}},
        {.name = "HandoverNameInAnyLetterCase",
         .exe = "/apps/TeMp0A0.eXe",
         .argument = "/apps/Tool.exe",
         .others = {{"/apps/Tool.exe", kOld}},
         .log = {"cd /apps/", "load", "write /apps/Tool.exe", "launch /apps/Tool.exe 'deltemp'",
                 "quit"}},
        {.name = "HandoverRelativeTargetIsTakenInProgramFolder",
         .exe = "/apps/temp0a0.exe",
         .argument = "Tool.exe",
         .others = {{"/apps/Tool.exe", kOld}},
         .log = {"cd /apps/", "load", "write /apps/Tool.exe", "launch /apps/Tool.exe 'deltemp'",
                 "quit"}},
        {.name = "HandoverOfMissingTargetWritesIt",
         .exe = "/apps/temp0a0.exe",
         .argument = "/apps/Tool.exe",
         .log = {"cd /apps/", "load", "write /apps/Tool.exe", "launch /apps/Tool.exe 'deltemp'",
                 "quit"}},
        {.name = "HandoverTargetStillInUseIsKeptAfterLimit",
         .exe = "/apps/temp0a0.exe",
         .argument = "/apps/Tool.exe",
         .others = {{"/apps/Tool.exe", kStuck}},
         .log = {"cd /apps/", "load", "discard /apps/Tool.exe.new"},
         .error = "Cannot replace \"/apps/Tool.exe\"",
         .givesUp = true},
        {.name = "HandoverTargetThatCannotBeWrittenIsKept",
         .exe = "/apps/temp0a0.exe",
         .argument = "/apps/Tool.exe",
         .others = {{"/apps/Tool.exe", kOld}},
         .unwritable = {"/apps/Tool.exe"},
         .log = {"cd /apps/", "load"},
         .error = "Cannot create file \"/apps/Tool.exe\""},
        {.name = "HandoverWithoutTargetEndsStartup",
         .exe = "/apps/temp0a0.exe",
         .log = {"cd /apps/", "load"},
         .error = "without the path"},
        {.name = "HandoverOntoItselfEndsStartup",
         .exe = "/apps/temp0a0.exe",
         .argument = "temp0a0.exe",
         .log = {"cd /apps/", "load"},
         .error = "cannot replace itself"},
        {.name = "HandoverOntoItselfSpelledOtherwiseEndsStartup",
         .exe = "/apps/temp0a0.exe",
         .argument = "./temp0a0.exe",
         .log = {"cd /apps/", "load"},
         .error = "cannot replace itself"},
    };
}

// Rows print as their names in test output.
void PrintTo(const PassCase& c, std::ostream* os)
{
    *os << c.name;
}

class RelocationPass : public ::testing::TestWithParam<PassCase>
{
protected:
    void SetUp() override
    {
        const PassCase& c = GetParam();
        env.exe = c.exe;
        env.argument = c.argument;
        env.files = c.others;
        env.files[c.exe] = File{kImage, c.exeReadOnly, c.exeOnMedia, false, true};
        env.unwritable = c.unwritable;
        env.systemFolders = c.systemFolders;
        // A stale image from earlier must never be what a handover writes.
        if (!c.exeOnMedia)
            image.emplace("stale");
    }

    FakeStartupEnvironment env;
    // Empty unless SetUp puts a stale one in place; whatever the pass loads goes with it.
    platform::ScopedExeImage empty;
    std::optional<platform::ScopedExeImage> image;
};

TEST_P(RelocationPass, FollowsTheStateTable)
{
    const PassCase& c = GetParam();
    const std::map<std::string, File> before = env.files;
    std::string error;
    try {
        startup::RelocateAtStartup(env);
    } catch (const std::exception& e) {
        error = e.what();
    }
    EXPECT_EQ(env.log, c.log);
    if (c.error.empty())
        EXPECT_EQ(error, "");
    else
        EXPECT_NE(error.find(c.error), std::string::npos) << error;

    // Whatever was written is the whole image as a program; everything else is untouched.
    for (const auto& [path, file] : env.files) {
        EXPECT_EQ(path.find(".new"), std::string::npos) << "staged file left: " << path;
        if (std::find(c.log.begin(), c.log.end(), "write " + path) != c.log.end()) {
            EXPECT_EQ(file.bytes, kImage) << path;
            EXPECT_TRUE(file.executable) << path;
        } else if (before.count(path)) {
            EXPECT_EQ(file.bytes, before.at(path).bytes) << path;
        }
    }
    if (c.givesUp)
        EXPECT_GE(env.now, startup::kRetryLimitMs);
    else
        EXPECT_LT(env.now, startup::kRetryIntervalMs);
}

INSTANTIATE_TEST_SUITE_P(StartupCases, RelocationPass, ::testing::ValuesIn(PassCases()),
                         [](const ::testing::TestParamInfo<PassCase>& info) {
                             return info.param.name;
                         });

} // namespace
