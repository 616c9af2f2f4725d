#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <pwd.h>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_attributes.h"
#include "platform/windows_drive.h"
#include "temp_folder.h"

namespace
{

namespace fs = std::filesystem;

mode_t ModeOf(const std::string& path)
{
    struct stat info {
    };
    stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

struct AttributeCase {
    std::string name;
    mode_t mode;
    std::uint32_t attributes;
    mode_t modeAfterInverting; // after writing the word back with the read-only bit inverted
};

void PrintTo(const AttributeCase& c, std::ostream* os)
{
    *os << c.name;
}

class Attributes : public ::testing::TestWithParam<AttributeCase>
{
};

TEST_P(Attributes, ReadOnlyBitFollowsOwnerWriteAndInvertingTogglesOnlyThat)
{
    const AttributeCase& c = GetParam();
    TempFolder folder;
    const std::string file = folder.File("f", c.mode);
    const std::uint32_t attributes = platform::FileGetAttr(file);
    EXPECT_EQ(attributes, c.attributes);
    EXPECT_TRUE(platform::FileSetAttr(file, attributes ^ platform::kFileAttributeReadOnly));
    EXPECT_EQ(ModeOf(file), c.modeAfterInverting);
    EXPECT_EQ(platform::FileGetAttr(file), c.attributes ^ platform::kFileAttributeReadOnly);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, Attributes,
    ::testing::Values(
        AttributeCase{"Writable", 0644, 0, 0444},
        AttributeCase{"ReadOnly", 0444, platform::kFileAttributeReadOnly, 0644},
        AttributeCase{"ExecutableReadOnly", 0555, platform::kFileAttributeReadOnly, 0755},
        AttributeCase{"OthersMayWriteOwnerMayNot", 0466, platform::kFileAttributeReadOnly, 0666},
        AttributeCase{"SpecialBitsKept", 02751, 0, 02551}),
    [](const ::testing::TestParamInfo<AttributeCase>& info) { return info.param.name; });

TEST(AttributesOf, MissingFileAndFolder)
{
    TempFolder folder;
    EXPECT_EQ(platform::FileGetAttr(folder.Path() + "/none"), platform::kInvalidFileAttributes);
    EXPECT_FALSE(platform::FileSetAttr(folder.Path() + "/none", 0));
    EXPECT_EQ(platform::FileGetAttr(folder.Path()), platform::kFileAttributeDirectory);
}

TEST(AttributesOf, FileOnReadOnlyMountStaysReadOnly)
{
    TempFolder folder;
    const std::string source = folder.Path() + "/disc";
    const std::string at = folder.Path() + "/media";
    fs::create_directory(source);
    fs::create_directory(at);
    std::ofstream(source + "/f") << "content";
    if (mount(source.c_str(), at.c_str(), nullptr, MS_BIND, nullptr) != 0)
        GTEST_SKIP() << "needs a bind mount, which this user may not make: "
                     << std::strerror(errno);
    const bool readOnly =
        mount(nullptr, at.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    const std::string file = at + "/f";
    const std::uint32_t attributes = platform::FileGetAttr(file);
    const bool changed = platform::FileSetAttr(file, attributes ^ platform::kFileAttributeReadOnly);
    const std::uint32_t after = platform::FileGetAttr(file);
    umount2(at.c_str(), MNT_DETACH);
    ASSERT_TRUE(readOnly) << "the bind mount could not be made read-only";
    EXPECT_EQ(attributes, platform::kFileAttributeReadOnly) << "writable permission bits";
    EXPECT_FALSE(changed);
    EXPECT_EQ(after, platform::kFileAttributeReadOnly);
}

struct HomeCase {
    std::string name;
    const char* home; // nullptr: unset
    std::string root; // "*": the account's home folder
};

void PrintTo(const HomeCase& c, std::ostream* os)
{
    *os << c.name;
}

class WindowsDriveRoot : public ::testing::TestWithParam<HomeCase>
{
protected:
    void SetUp() override
    {
        if (const char* home = std::getenv("HOME"))
            saved_ = home;
    }
    void TearDown() override
    {
        if (saved_)
            setenv("HOME", saved_->c_str(), 1);
        else
            unsetenv("HOME");
    }

private:
    std::optional<std::string> saved_;
};

TEST_P(WindowsDriveRoot, IsTheHomeFolderWithoutTrailingSlash)
{
    const HomeCase& c = GetParam();
    if (c.home)
        setenv("HOME", c.home, 1);
    else
        unsetenv("HOME");
    std::string expected = c.root;
    if (expected == "*") {
        const passwd* account = getpwuid(getuid());
        ASSERT_NE(account, nullptr);
        expected = account->pw_dir;
        while (expected.size() > 1 && expected.back() == '/')
            expected.pop_back();
        if (expected == "/")
            expected.clear();
    }
    EXPECT_EQ(platform::WindowsDriveRoot(), expected);
}

INSTANTIATE_TEST_SUITE_P(Homes, WindowsDriveRoot,
                         ::testing::Values(HomeCase{"Plain", "/home/ann", "/home/ann"},
                                           HomeCase{"TrailingSlashes", "/home/ann//", "/home/ann"},
                                           HomeCase{"FileSystemRoot", "/", ""},
                                           HomeCase{"EmptyFallsBackToAccount", "", "*"},
                                           HomeCase{"UnsetFallsBackToAccount", nullptr, "*"}),
                         [](const ::testing::TestParamInfo<HomeCase>& info) {
                             return info.param.name;
                         });

} // namespace
