// Many files replaced together: every file ends whole with exactly its bytes, or as it was, and
// no staged file is left behind, whether the batch is committed, fails half way or is killed.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "platform/staged_batch.h"
#include "tests/support/file_bytes.h"
#include "tests/support/ordinary_user.h"
#include "tests/support/temp_dir.h"

namespace
{

namespace fs = std::filesystem;

std::size_t StagedFilesIn(const std::string& folder)
{
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        count += entry.path().filename().string().rfind(".sw~", 0) == 0;
    return count;
}

std::string Bytes(std::size_t i)
{
    return "<p>" + std::to_string(i) + "</p>\n";
}

// More files than a group holds, in two folders, one reached through a link, some replacing
// files with modes of their own: each ends with its bytes and keeps its mode.
TEST(StagedBatch, EveryFileGetsItsBytesAcrossGroupsAndFolders)
{
    const TempDir dir;
    fs::create_directories(dir.File("a"));
    fs::create_directories(dir.File("real"));
    fs::create_symlink(dir.File("real"), dir.File("b"));
    const std::size_t count = platform::StagedBatch::kGroupSize * 2 + 3;
    std::vector<std::string> targets;
    for (std::size_t i = 0; i < count; ++i)
        targets.push_back(dir.File((i % 2 ? "a/" : "b/") + std::to_string(i) + ".html"));
    WriteBytes(targets[0], "old", 0640);
    {
        platform::StagedBatch batch(platform::NewFileMode::Data);
        for (std::size_t i = 0; i < count; ++i)
            batch.Add(targets[i], Bytes(i));
        batch.Commit();
    }
    for (std::size_t i = 0; i < count; ++i)
        EXPECT_EQ(ReadBytes(targets[i]), Bytes(i)) << targets[i];
    struct stat info {
    };
    ASSERT_EQ(stat(targets[0].c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_TRUE(fs::is_symlink(dir.File("b")));
    EXPECT_EQ(StagedFilesIn(dir.File("a")) + StagedFilesIn(dir.File("real")), 0u);
}

struct BadTarget {
    const char* name;
    std::function<std::string(const TempDir& dir)> make; // returns the target
    bool needsUser;                                      // the superuser may write any file
};

void PrintTo(const BadTarget& target, std::ostream* os)
{
    *os << target.name;
}

class StagedBatchRefuses : public testing::TestWithParam<BadTarget>
{
};

// A target the single replace refuses is refused with the same message; files not yet moved
// keep their old bytes and nothing staged stays.
TEST_P(StagedBatchRefuses, WithTheSingleReplacesMessageAndLeavesTheRestAsItWas)
{
    const TempDir dir;
    const std::string before = dir.Write("before.html", "old before");
    // Returns 0 when all holds; the superuser may write any file, so a write-protected target
    // is tried as an ordinary user, in a child process that cannot report to the framework.
    const auto check = [&] {
        const std::string bad = GetParam().make(dir);
        std::string single, batched;
        try {
            platform::ReplaceFile(bad, "new", platform::NewFileMode::Data);
        } catch (const std::runtime_error& e) {
            single = e.what();
        }
        try {
            platform::StagedBatch batch(platform::NewFileMode::Data);
            batch.Add(before, "new before");
            batch.Add(bad, "new");
            batch.Commit();
        } catch (const std::runtime_error& e) {
            batched = e.what();
        }
        if (single.empty() || batched != single) {
            std::fprintf(stderr, "single: %s\nbatched: %s\n", single.c_str(), batched.c_str());
            return 1;
        }
        if (ReadBytes(before) != "old before")
            return 2;
        return StagedFilesIn(dir.path().string()) == 0 ? 0 : 3;
    };
    EXPECT_EQ(GetParam().needsUser ? AsOrdinaryUser(dir.path(), check) : check(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, StagedBatchRefuses,
    testing::Values(BadTarget{"Folder",
                              [](const TempDir& d) {
                                  fs::create_directory(d.File("bad"));
                                  return d.File("bad");
                              },
                              false},
                    BadTarget{"WriteProtected",
                              [](const TempDir& d) {
                                  WriteBytes(d.File("bad.html"), "old", 0444);
                                  return d.File("bad.html");
                              },
                              true},
                    BadTarget{"MissingFolder",
                              [](const TempDir& d) { return d.File("none/bad.html"); }, false}),
    [](const testing::TestParamInfo<BadTarget>& info) { return info.param.name; });

// A writer killed after staging, before its commit, changes no target; what it staged is a
// leftover that the next batch in the folder removes.
TEST(StagedBatch, KilledBeforeCommitChangesNothingAndItsLeftoversGo)
{
    const TempDir dir;
    const std::string target = dir.Write("page.html", "old");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        platform::StagedBatch batch(platform::NewFileMode::Data);
        batch.Add(target, "torn");
        _exit(0); // no destructor, no commit: as a kill would leave it
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(StagedFilesIn(dir.path().string()), 1u);
    platform::StagedBatch batch(platform::NewFileMode::Data);
    batch.Add(dir.File("other.html"), "new");
    batch.Commit();
    EXPECT_EQ(StagedFilesIn(dir.path().string()), 0u);
    EXPECT_EQ(ReadBytes(target), "old");
}

// A batch dropped without its commit leaves every target as it was.
TEST(StagedBatch, DroppedWithoutCommitChangesNothing)
{
    const TempDir dir;
    const std::string target = dir.Write("page.html", "old");
    {
        platform::StagedBatch batch(platform::NewFileMode::Data);
        batch.Add(target, "new");
        batch.Add(dir.File("fresh.html"), "new");
    }
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_FALSE(fs::exists(dir.File("fresh.html")));
    EXPECT_EQ(StagedFilesIn(dir.path().string()), 0u);
}

} // namespace
