#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/quoted_name.h"
#include "platform/user_folders.h"
#include "temp_folder.h"
#include "tests/support/ordinary_user.h"

namespace
{

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

// Sets or removes an environment variable while it lives, then restores the old value.
class ScopedVariable
{
public:
    ScopedVariable(const char* name, const std::optional<std::string>& value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        Set(value);
    }
    ~ScopedVariable() { Set(old_); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    void Set(const std::optional<std::string>& value)
    {
        if (value)
            setenv(name_, value->c_str(), 1);
        else
            unsetenv(name_);
    }

    const char* name_;
    std::optional<std::string> old_;
};

std::string MakeFolder(const TempFolder& scratch, const std::string& name, mode_t mode = 0755)
{
    const std::string path = scratch.Path() + "/" + name;
    fs::create_directories(path);
    chmod(path.c_str(), mode);
    return path;
}

struct OwnerCase {
    std::string name;
    std::function<std::string(const TempFolder&)> folder;
    bool users;
    bool rootOnly = false;       // needs to hand a folder to another user
    bool asOrdinaryUser = false; // root may write where permissions say no
};

void PrintTo(const OwnerCase& c, std::ostream* os)
{
    *os << c.name;
}

class FolderOwner : public ::testing::TestWithParam<OwnerCase>
{
};

TEST_P(FolderOwner, TellsTheUsersFoldersFromOthers)
{
    const OwnerCase& c = GetParam();
    if (c.rootOnly && geteuid() != 0)
        GTEST_SKIP() << "needs to run as root";
    TempFolder scratch;
    if (!c.asOrdinaryUser) {
        EXPECT_EQ(platform::FolderIsUsersToWrite(c.folder(scratch)), c.users);
        return;
    }
    const auto users = [&] { return platform::FolderIsUsersToWrite(c.folder(scratch)) ? 1 : 0; };
    EXPECT_EQ(AsOrdinaryUser(scratch.path(), users), c.users ? 1 : 0);
}

std::vector<OwnerCase> OwnerCases()
{
    return {
        {"OwnFolder", [](const TempFolder& t) { return MakeFolder(t, "own"); }, true},
        {"OwnFolderWithTrailingSlash",
         [](const TempFolder& t) { return MakeFolder(t, "own") + "/"; }, true},
        {"SystemProgramFolder", [](const TempFolder&) { return std::string("/usr/bin/"); }, false},
        {"SystemFolderItself", [](const TempFolder&) { return std::string("/opt"); }, false},
        {"MissingFolder", [](const TempFolder& t) { return t.Path() + "/missing/"; }, false},
        {"FileIsNoFolder", [](const TempFolder& t) { return t.File("file", 0644); }, false},
        {"RelativeName", [](const TempFolder&) { return std::string("."); }, false},
        {"WriteProtectedFolder", [](const TempFolder& t) { return MakeFolder(t, "ro", 0555); },
         false, false, true},
        {"AnotherUsersFolder",
         [](const TempFolder& t) {
             const std::string path = MakeFolder(t, "theirs", 0777);
             EXPECT_EQ(chown(path.c_str(), kNobody, kNobody), 0);
             return path;
         },
         false, true},
    };
}

INSTANTIATE_TEST_SUITE_P(Folders, FolderOwner, ::testing::ValuesIn(OwnerCases()),
                         [](const ::testing::TestParamInfo<OwnerCase>& info) {
                             return info.param.name;
                         });

struct RuntimeCase {
    std::string name;
    // Each value is relative to the scratch folder unless it starts with '/'; none unsets.
    std::optional<std::string> runtime, cache, home;
    std::string expected; // relative to the scratch folder
    bool theirRuntime = false;
};

void PrintTo(const RuntimeCase& c, std::ostream* os)
{
    *os << c.name;
}

class RuntimeFolder : public ::testing::TestWithParam<RuntimeCase>
{
};

std::optional<std::string> InScratch(const TempFolder& scratch, const std::optional<std::string>& v)
{
    if (!v || v->empty() || v->front() == '/' || v->front() == '.')
        return v;
    return scratch.Path() + "/" + *v;
}

TEST_P(RuntimeFolder, IsTheUsersOwnAndPrivate)
{
    const RuntimeCase& c = GetParam();
    if (c.theirRuntime && geteuid() != 0)
        GTEST_SKIP() << "needs root to hand a folder to another user";
    TempFolder scratch;
    MakeFolder(scratch, "run", 0700);
    if (c.theirRuntime) {
        ASSERT_EQ(chown((scratch.Path() + "/run").c_str(), kNobody, kNobody), 0);
    }
    MakeFolder(scratch, "home", 0700);
    ScopedVariable runtime("XDG_RUNTIME_DIR", InScratch(scratch, c.runtime));
    ScopedVariable cache("XDG_CACHE_HOME", InScratch(scratch, c.cache));
    ScopedVariable home("HOME", InScratch(scratch, c.home));

    const std::string folder = platform::UserRuntimeFolder();
    EXPECT_EQ(folder, scratch.Path() + "/" + c.expected);
    struct stat info {
    };
    ASSERT_EQ(stat(folder.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(info.st_uid, geteuid());
}

INSTANTIATE_TEST_SUITE_P(
    Variables, RuntimeFolder,
    ::testing::Values(
        RuntimeCase{"RuntimeFolder", "run", "cache", "home", "run/sitewright/"},
        RuntimeCase{"RuntimeFolderWithTrailingSlash", "run/", std::nullopt, "home",
                    "run/sitewright/"},
        RuntimeCase{"NoRuntimeGivesCacheHome", std::nullopt, "cache", "home", "cache/sitewright/"},
        RuntimeCase{"EmptyRuntimeGivesCacheHome", "", "cache", "home", "cache/sitewright/"},
        RuntimeCase{"RelativeRuntimeIsIgnored", "./run", std::nullopt, "home",
                    "home/.cache/sitewright/"},
        RuntimeCase{"MissingRuntimeIsIgnored", "gone", std::nullopt, "home",
                    "home/.cache/sitewright/"},
        RuntimeCase{"RelativeCacheIsIgnored", std::nullopt, "./cache", "home",
                    "home/.cache/sitewright/"},
        RuntimeCase{"AnotherUsersRuntimeIsIgnored", "run", std::nullopt, "home",
                    "home/.cache/sitewright/", true}),
    [](const ::testing::TestParamInfo<RuntimeCase>& info) { return info.param.name; });

// The message names the folder quoted, so a line break in its name cannot split the message.
TEST(RuntimeFolderErrors, NameTheFolderThatCannotBeUsed)
{
    for (const std::string name : {"run", "line\nbreak"}) {
        TempFolder scratch;
        const std::string run = MakeFolder(scratch, name, 0700);
        scratch.File(name + "/sitewright", 0644);
        ScopedVariable runtime("XDG_RUNTIME_DIR", run);
        try {
            platform::UserRuntimeFolder();
            ADD_FAILURE() << "a file in the folder's place was taken for the folder";
        } catch (const std::runtime_error& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find(platform::QuotedName(run + "/sitewright")), std::string::npos)
                << message;
            EXPECT_EQ(message.find('\n'), std::string::npos) << message;
        }
    }
}

// Something planted where the program's own folder goes is refused, never followed or shared.
TEST(RuntimeFolderErrors, RefusesWhatIsPlantedInTheFoldersPlace)
{
    struct Planted {
        const char* name;
        void (*plant)(const TempFolder& scratch, const std::string& place);
    };
    const Planted cases[] = {
        {"link to another folder of the user's",
         [](const TempFolder& scratch, const std::string& place) {
             ASSERT_EQ(symlink(MakeFolder(scratch, "elsewhere", 0700).c_str(), place.c_str()), 0);
         }},
        {"folder others may write into",
         [](const TempFolder&, const std::string& place) {
             ASSERT_EQ(mkdir(place.c_str(), 0700), 0);
             ASSERT_EQ(chmod(place.c_str(), 0777), 0);
         }},
    };
    for (const Planted& c : cases) {
        TempFolder scratch;
        const std::string run = MakeFolder(scratch, "run", 0700);
        c.plant(scratch, run + "/sitewright");
        ScopedVariable runtime("XDG_RUNTIME_DIR", run);
        EXPECT_THROW(platform::UserRuntimeFolder(), std::runtime_error) << c.name;
    }
}

} // namespace
