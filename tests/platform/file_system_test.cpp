#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <sys/stat.h>

#include "platform/file_system.h"
#include "platform/staged_file.h"
#include "temp_folder.h"
#include "tests/support/file_bytes.h"

namespace
{

namespace fs = std::filesystem;

struct DeleteCase {
    std::string name;
    std::function<std::string(const TempFolder&)> make; // returns the path to delete
    platform::DeleteOutcome outcome;
    bool gone;
};

void PrintTo(const DeleteCase& c, std::ostream* os)
{
    *os << c.name;
}

class DeleteOnce : public ::testing::TestWithParam<DeleteCase>
{
};

TEST_P(DeleteOnce, TellsDeletedFromMissingFromFailed)
{
    TempFolder folder;
    const std::string path = GetParam().make(folder);
    EXPECT_EQ(platform::DeleteFileOnce(path), GetParam().outcome);
    EXPECT_EQ(fs::exists(fs::symlink_status(path)), !GetParam().gone);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DeleteOnce,
    ::testing::Values(DeleteCase{"File", [](const TempFolder& f) { return f.File("a", 0644); },
                                 platform::DeleteOutcome::Deleted, true},
                      DeleteCase{"ReadOnlyFile",
                                 [](const TempFolder& f) { return f.File("a", 0444); },
                                 platform::DeleteOutcome::Deleted, true},
                      DeleteCase{"Missing", [](const TempFolder& f) { return f.Path() + "/none"; },
                                 platform::DeleteOutcome::Missing, true},
                      DeleteCase{"InMissingFolder",
                                 [](const TempFolder& f) { return f.Path() + "/no/a"; },
                                 platform::DeleteOutcome::Missing, true},
                      DeleteCase{"Folder",
                                 [](const TempFolder& f) {
                                     fs::create_directory(f.Path() + "/d");
                                     return f.Path() + "/d";
                                 },
                                 platform::DeleteOutcome::Failed, false}),
    [](const ::testing::TestParamInfo<DeleteCase>& info) { return info.param.name; });

struct ExistsCase {
    std::string name;
    std::function<std::string(const TempFolder&)> make; // returns the path asked about
    bool exists;
};

void PrintTo(const ExistsCase& c, std::ostream* os)
{
    *os << c.name;
}

class Exists : public ::testing::TestWithParam<ExistsCase>
{
};

// Only files count: a folder of the name is no file, as the relocation must then fail to write
// its copy rather than start the folder.
TEST_P(Exists, CountsFilesOnly)
{
    TempFolder folder;
    EXPECT_EQ(platform::FileExists(GetParam().make(folder)), GetParam().exists);
}

INSTANTIATE_TEST_SUITE_P(
    Names, Exists,
    ::testing::Values(
        ExistsCase{"File", [](const TempFolder& f) { return f.File("a", 0644); }, true},
        ExistsCase{"ReadOnlyFile", [](const TempFolder& f) { return f.File("a", 0444); }, true},
        ExistsCase{"Missing", [](const TempFolder& f) { return f.Path() + "/none"; }, false},
        ExistsCase{"Fifo",
                   [](const TempFolder& f) {
                       mkfifo((f.Path() + "/p").c_str(), 0600);
                       return f.Path() + "/p";
                   },
                   false},
        ExistsCase{"Folder",
                   [](const TempFolder& f) {
                       fs::create_directory(f.Path() + "/d");
                       return f.Path() + "/d";
                   },
                   false},
        ExistsCase{"LinkToFile",
                   [](const TempFolder& f) {
                       fs::create_symlink(f.File("a", 0644), f.Path() + "/l");
                       return f.Path() + "/l";
                   },
                   true},
        ExistsCase{"DanglingLink",
                   [](const TempFolder& f) {
                       fs::create_symlink(f.Path() + "/none", f.Path() + "/l");
                       return f.Path() + "/l";
                   },
                   false}),
    [](const ::testing::TestParamInfo<ExistsCase>& info) { return info.param.name; });

// An existing program keeps its mode; a new one is executable (ReplaceFile's tests).
TEST(StagedFile, ReplacesTargetWholeKeepingItsMode)
{
    TempFolder folder;
    const std::string target = folder.File("Tool", 0750);
    const std::string bytes("image\0with\xB6 zero and high bytes\r\n", 32);
    const std::string staged = platform::StageFile(target, bytes);
    EXPECT_EQ(fs::path(staged).parent_path(), fs::path(target).parent_path());
    EXPECT_EQ(ReadBytes(target), "content") << "the target changed before the commit";
    ASSERT_TRUE(platform::CommitStagedFile(staged, target));
    EXPECT_EQ(ReadBytes(target), bytes);
    struct stat info {
    };
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0750u);
    EXPECT_FALSE(fs::exists(staged));
}

// A link stays a link: the file it points to is what gets replaced, as writing through the name
// would.
TEST(StagedFile, ReplacesWhatLinkPointsTo)
{
    TempFolder folder;
    const std::string linked = folder.File("elsewhere", 0755);
    const std::string target = folder.Path() + "/Tool";
    fs::create_symlink(linked, target);
    ASSERT_TRUE(platform::CommitStagedFile(platform::StageFile(target, "new image"), target));
    EXPECT_TRUE(fs::is_symlink(target));
    EXPECT_EQ(ReadBytes(linked), "new image");
}

TEST(StagedFile, UncreatableLeavesNothingAndNamesTarget)
{
    TempFolder folder;
    const std::string target = folder.Path() + "/missing/Tool";
    try {
        platform::StageFile(target, "image");
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"" + target + "\". ", 0), 0u)
            << e.what();
    }
    EXPECT_TRUE(fs::is_empty(folder.Path()));
}

TEST(StagedFile, FailedCommitKeepsBoth)
{
    TempFolder folder;
    const std::string target = folder.Path() + "/Tool";
    const std::string staged = platform::StageFile(target, "image");
    // A folder that takes the name meanwhile is not replaced either.
    fs::create_directories(target + "/inside");
    EXPECT_FALSE(platform::CommitStagedFile(staged, target));
    EXPECT_TRUE(fs::is_directory(target + "/inside"));
    EXPECT_EQ(ReadBytes(staged), "image");
    platform::DiscardStagedFile(staged);
    EXPECT_FALSE(fs::exists(staged));
}

} // namespace
