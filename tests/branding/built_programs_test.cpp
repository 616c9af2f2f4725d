#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <vector>

#include "branding/branding_source.h"
#include "branding/section_format.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_dir.h"

extern char** environ;

namespace
{

using namespace std::string_literals;

std::string BuildFile(const std::string& name)
{
    const char* dir = std::getenv("SITEWRIGHT_BUILD_DIR");
    return dir ? std::string(dir) + "/" + name : name;
}

const std::string kAsset = std::string(SITEWRIGHT_SOURCE_DIR) + "/assets/branding.jpg";

class BuiltProgram : public testing::TestWithParam<const char*>
{
};

// A complete upper-case marker inside a program would let a lookup stop in its own code.
TEST_P(BuiltProgram, HoldsNoUpperCaseMarkerPrefix)
{
    const std::string path = BuildFile(GetParam());
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << path << " is not built here";
    const std::string bytes = ReadBytes(path);
    EXPECT_EQ(bytes.find("SO!#"), std::string::npos);
    EXPECT_EQ(bytes.find("EO!#"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Programs, BuiltProgram,
                         testing::Values("sitewright-plain", "sitewright-gen", "sitewright-brand"));

TEST(DeliveredProgram, IsPlainBuildWithImageAndTrailer)
{
    const std::string delivered = BuildFile("sitewright");
    if (!std::filesystem::exists(delivered))
        GTEST_SKIP() << "no delivered program in this build";
    const std::string bytes = ReadBytes(delivered);
    const std::string plain = ReadBytes(BuildFile("sitewright-plain"));
    EXPECT_EQ(bytes.compare(0, plain.size(), plain), 0);
    EXPECT_EQ(bytes.compare(plain.size(), 9, "SO!#JPG2\xB6"), 0);
    EXPECT_EQ(branding::DescrambleText(branding::ExtractSectionFrom(bytes, "JPG2")),
              ReadBytes(kAsset));
    const auto items = branding::ReadBrandingItems(delivered);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0], "Sitewright");
    EXPECT_NE(items[2].find("example.com"), std::string::npos);
}

// Starts the tool; its standard error goes to `errorFile` when one is given.
pid_t StartTool(std::vector<std::string> args, const std::string& errorFile = "")
{
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!errorFile.empty())
        posix_spawn_file_actions_addopen(&actions, 2, errorFile.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0 ? pid : -1;
}

// Runs the tool to its end and returns its exit status.
int RunTool(std::vector<std::string> args, const std::string& errorFile = "")
{
    const pid_t pid = StartTool(std::move(args), errorFile);
    if (pid < 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class BrandTool : public testing::Test
{
protected:
    void SetUp() override
    {
        tool_ = BuildFile("sitewright-brand");
        if (!std::filesystem::exists(tool_))
            GTEST_SKIP() << "sitewright-brand is not built";
        input_ = dir_.Write("plain", "\x7f"
                                     "ELF image\0\0\0\0"s);
        image_ = dir_.Write("pic.jpg", "\xFF\xD8 jpeg \xFF\xD9");
    }
    std::string tool_, input_, image_;
    TempDir dir_;
};

TEST_F(BrandTool, AppendsSectionAndTrailer)
{
    const std::string out = dir_.File("branded");
    ASSERT_EQ(RunTool({tool_, "append", input_, out, "--section", "jpg2", image_, "--trailer", "T",
                       "Caption here", "http://www.example.com/ "}),
              0);
    const std::string bytes = ReadBytes(out);
    EXPECT_EQ(branding::DescrambleText(branding::ExtractSectionFrom(bytes, "JPG2")),
              ReadBytes(image_));
    EXPECT_EQ(branding::ReadBrandingItems(out),
              (std::vector<std::string>{"T", "Caption here", "http://www.example.com/ "}));
    EXPECT_TRUE(std::filesystem::status(out).permissions() != std::filesystem::perms::none);
    EXPECT_EQ(RunTool({tool_, "list", out}), 0);
}

// A listing or help that did not arrive is a failure with the system's reason, never exit 0.
TEST_F(BrandTool, LostOutputIsAFailureWithItsReason)
{
    const TempDir errors;
    const std::string error = errors.File("stderr");
    struct Lost {
        const char* redirect;
        int reason;
    };
    for (const Lost& lost : {Lost{">/dev/full", ENOSPC}, Lost{">&-", EBADF}}) {
        if (lost.reason == ENOSPC && !std::filesystem::exists("/dev/full"))
            continue;
        for (const std::string& args : {" list " + tool_, " --help"s}) {
            const int status =
                std::system((tool_ + args + " " + lost.redirect + " 2>" + error).c_str());
            EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1) << args << lost.redirect;
            EXPECT_EQ(ReadBytes(error), "sitewright-brand: cannot write to standard output: "s +
                                            std::strerror(lost.reason) + "\n")
                << args << lost.redirect;
        }
    }
}

TEST_F(BrandTool, RefusalsSayWhyAndLeaveNoOutputFile)
{
    const std::string marked = dir_.Write("marked", "image EO!#JPG2 more");
    const std::string out = dir_.File("out");
    TempDir errors; // outside the folder whose files are counted
    const std::string error = errors.File("stderr");
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{tool_, "append", marked, out, "--section", "JPG2", image_},
         "sitewright-brand: The markers of section \"JPG2\" already occur in the file"},
        {{tool_, "append", input_, out, "--section", "JPG2", image_, "--section", "JPG", image_},
         "sitewright-brand: The markers of section \"JPG\" already occur in the file"},
        {{tool_, "append", input_, out, "--trailer", "a", "line\nbreak", "c"},
         "sitewright-brand: A trailer field cannot hold a line break"},
        {{tool_, "append", input_, out, "--section", "JPG2", dir_.File("absent.jpg")},
         "sitewright-brand: Cannot open file \"" + dir_.File("absent.jpg") + "\""},
        {{tool_, "append", input_, out, "--trailer", "only two", "fields"}, "Usage:"},
        {{tool_, "append", input_, out}, "Usage:"},
    };
    for (const auto& [args, why] : refused) {
        EXPECT_NE(RunTool(args, error), 0) << why;
        EXPECT_EQ(ReadBytes(error).rfind(why, 0), 0u) << ReadBytes(error);
        EXPECT_FALSE(std::filesystem::exists(out));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()),
                                std::filesystem::directory_iterator()),
                  3);
    }
}

// FIFOs without a writer, folders and devices are neither read nor replaced, and the refusal
// comes at once.
TEST_F(BrandTool, RefusesWhatIsNoRegularFile)
{
    TempDir odd;
    const std::string fifo = odd.File("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string folder = odd.path().string();
    const std::string error = odd.File("stderr");
    const std::vector<std::vector<std::string>> refused = {
        {tool_, "list", fifo},
        {tool_, "append", fifo, dir_.File("out"), "--section", "JPG2", image_},
        {tool_, "append", input_, dir_.File("out"), "--section", "JPG2", fifo},
        {tool_, "append", input_, fifo, "--section", "JPG2", image_},
        {tool_, "append", input_, folder, "--section", "JPG2", image_},
    };
    for (const auto& args : refused) {
        EXPECT_EQ(RunTool(args, error), 1) << args[1] << " " << args[2];
        EXPECT_NE(ReadBytes(error).find(", not a regular file."), std::string::npos)
            << ReadBytes(error);
    }
    EXPECT_FALSE(std::filesystem::exists(dir_.File("out")));
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

std::size_t StagedFilesIn(const std::filesystem::path& folder)
{
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        count += entry.path().filename().string().rfind(".sw~", 0) == 0;
    return count;
}

// kill -9 at any moment of a replacement, again and again: the output is always the old file
// or the new one, whole and with its mode, and what a killed run left is gone after the next.
TEST_F(BrandTool, KilledWhileReplacingLeavesOldOrNewWhole)
{
    const std::string big = dir_.Write("big", std::string(8 << 20, 'b'));
    const std::string reference = dir_.File("reference");
    ASSERT_EQ(RunTool({tool_, "append", big, reference, "--section", "JPG2", image_}), 0);
    const std::string fresh = ReadBytes(reference);
    const std::string out = dir_.File("out");
    std::ofstream(out, std::ios::binary) << "old program";
    chmod(out.c_str(), 0700);
    for (int round = 0; round < 20; ++round) {
        const pid_t pid = StartTool({tool_, "append", big, out, "--section", "JPG2", image_});
        ASSERT_GT(pid, 0);
        // Odd rounds strike as soon as the staged file shows, even ones at once.
        int status = 0;
        bool ended = false;
        while (round % 2 && !ended && StagedFilesIn(dir_.path()) == 0)
            ended = waitpid(pid, &status, WNOHANG) == pid;
        if (!ended) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
        }
        const std::string now = ReadBytes(out);
        EXPECT_TRUE(now == "old program" || now == fresh) << "round " << round;
        EXPECT_EQ(std::filesystem::status(out).permissions(), std::filesystem::perms::owner_all);
    }
    ASSERT_EQ(RunTool({tool_, "append", big, out, "--section", "JPG2", image_}), 0);
    EXPECT_EQ(ReadBytes(out), fresh);
    EXPECT_EQ(StagedFilesIn(dir_.path()), 0u);
}

TEST_F(BrandTool, RefusesSectionWhoseScrambledBytesHoldItsEndMarker)
{
    const std::string bad = dir_.Write("bad", branding::DescrambleText("..EO!#AB.."));
    const std::string out = dir_.File("out");
    TempDir errors;
    const std::string error = errors.File("stderr");
    EXPECT_EQ(RunTool({tool_, "append", input_, out, "--section", "ab", bad}, error), 1);
    EXPECT_EQ(ReadBytes(error).rfind("sitewright-brand: The scrambled bytes of section \"AB\" "
                                     "contain its own end marker",
                                     0),
              0u)
        << ReadBytes(error);
    EXPECT_FALSE(std::filesystem::exists(out));
}

} // namespace
