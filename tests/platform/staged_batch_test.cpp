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
#include "platform/write_hook.h"
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

// Many files in nested folders, some replacing files with modes of their own: each ends with
// its bytes and keeps its mode, and nothing staged stays.
TEST(StagedBatch, EveryFileGetsItsBytesAcrossFolders)
{
    const TempDir dir;
    fs::create_directories(dir.File("a/b"));
    const std::size_t count = 600;
    std::vector<std::string> targets;
    for (std::size_t i = 0; i < count; ++i)
        targets.push_back((i % 2 ? "a/" : "a/b/") + std::to_string(i) + ".html");
    WriteBytes(dir.File(targets[0]), "old", 0640);
    {
        const platform::BoundFolder root(dir.path().string(), "");
        platform::StagedBatch batch(root, platform::NewFileMode::Data);
        for (std::size_t i = 0; i < count; ++i)
            batch.Add(targets[i], Bytes(i));
        batch.Commit();
        EXPECT_EQ(batch.Replaced().size(), count);
    }
    for (std::size_t i = 0; i < count; ++i)
        EXPECT_EQ(ReadBytes(dir.File(targets[i])), Bytes(i)) << targets[i];
    struct stat info {
    };
    ASSERT_EQ(stat(dir.File(targets[0]).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(StagedFilesIn(dir.File("a")) + StagedFilesIn(dir.File("a/b")), 0u);
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
            const platform::BoundFolder root(dir.path().string(), "");
            platform::StagedBatch batch(root, platform::NewFileMode::Data);
            batch.Add("before.html", "new before");
            batch.Add(bad.substr(dir.path().string().size() + 1), "new");
            batch.Commit();
        } catch (const std::runtime_error& e) {
            batched = e.what();
        }
        // The call named at the end may differ: the batch opens folders by descriptor.
        const auto reason = [](const std::string& m) { return m.substr(0, m.rfind(" (")); };
        if (single.empty() || reason(batched) != reason(single)) {
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
    const platform::BoundFolder root(dir.path().string(), "");
    if (child == 0) {
        platform::StagedBatch batch(root, platform::NewFileMode::Data);
        batch.Add("page.html", "torn");
        _exit(0); // no destructor, no commit: as a kill would leave it
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(StagedFilesIn(dir.path().string()), 1u);
    platform::StagedBatch batch(root, platform::NewFileMode::Data);
    batch.Add("other.html", "new");
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
        const platform::BoundFolder root(dir.path().string(), "");
        platform::StagedBatch batch(root, platform::NewFileMode::Data);
        batch.Add("page.html", "new");
        batch.Add("fresh.html", "new");
    }
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_FALSE(fs::exists(dir.File("fresh.html")));
    EXPECT_EQ(StagedFilesIn(dir.path().string()), 0u);
}

// A name swapped for a link between the check and the write, on the way or at the end, is
// refused and never followed: the file outside keeps its bytes, and nothing is replaced.
struct Swap {
    const char* name;
    const char* relative; // the target, below the root "site"
    const char* swapped;  // the name made a link to the folder "outside"
    bool atCommit;        // swapped after staging instead of before it
};

void PrintTo(const Swap& swap, std::ostream* os)
{
    *os << swap.name;
}

class StagedBatchSwap : public testing::TestWithParam<Swap>
{
};

TEST_P(StagedBatchSwap, IsRefusedAndNothingOutsideIsWritten)
{
    const TempDir dir;
    fs::create_directories(dir.File("site/sub"));
    fs::create_directories(dir.File("outside/sub"));
    WriteBytes(dir.File("outside/x.html"), "outside");
    WriteBytes(dir.File("outside/sub/x.html"), "outside");
    const std::string first = dir.Write("site/first.html", "old");
    const auto swap = [&] {
        const std::string name = dir.File(std::string("site/") + GetParam().swapped);
        fs::rename(name, name + "-real");
        fs::create_symlink(
            dir.File("outside") + (fs::is_directory(name + "-real") ? "" : "/x.html"), name);
    };
    WriteBytes(dir.File(std::string("site/") + GetParam().relative), "old");
    const platform::BoundFolder root(dir.File("site"), "");
    EXPECT_ANY_THROW({
        platform::StagedBatch batch(root, platform::NewFileMode::Data);
        batch.Add("first.html", "new");
        const platform::ScopedWriteHook hook([&](const std::string& target) {
            if (!GetParam().atCommit && target.ends_with(GetParam().relative))
                swap();
        });
        batch.Add(GetParam().relative, "new");
        if (GetParam().atCommit)
            swap();
        batch.Commit();
    });
    EXPECT_EQ(ReadBytes(dir.File("outside/x.html")), "outside");
    EXPECT_EQ(ReadBytes(dir.File("outside/sub/x.html")), "outside");
    EXPECT_EQ(ReadBytes(first), GetParam().atCommit ? "new" : "old");
    EXPECT_EQ(StagedFilesIn(dir.File("site")), 0u);
}

INSTANTIATE_TEST_SUITE_P(Names, StagedBatchSwap,
                         testing::Values(Swap{"FolderBeforeStaging", "sub/x.html", "sub", false},
                                         Swap{"FileBeforeStaging", "x.html", "x.html", false},
                                         Swap{"FolderBeforeTheMove", "sub/x.html", "sub", true},
                                         Swap{"FileBeforeTheMove", "x.html", "x.html", true}),
                         [](const testing::TestParamInfo<Swap>& info) { return info.param.name; });

// A failure among the moves names what was already replaced; the rest stay as they were.
TEST(StagedBatch, FailedMoveListsWhatWasReplaced)
{
    const TempDir dir;
    for (const char* name : {"a.html", "b.html", "c.html"})
        dir.Write(name, "old");
    const platform::BoundFolder root(dir.path().string(), "");
    platform::StagedBatch batch(root, platform::NewFileMode::Data);
    for (const char* name : {"a.html", "b.html", "c.html"})
        batch.Add(name, "new");
    fs::remove(dir.File("b.html"));
    fs::create_directory(dir.File("b.html"));
    EXPECT_ANY_THROW(batch.Commit());
    EXPECT_EQ(batch.Replaced(), std::vector<std::string>{dir.File("a.html")});
    EXPECT_EQ(ReadBytes(dir.File("a.html")), "new");
    EXPECT_EQ(ReadBytes(dir.File("c.html")), "old");
    EXPECT_EQ(StagedFilesIn(dir.path().string()), 0u);
}

} // namespace
