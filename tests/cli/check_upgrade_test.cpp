// sitewright-gen check --upgrade against a tree that changes between the read and the write and
// against hostile names: the write goes to the page read or nowhere, no edit is lost, and the
// page's copy keeps what protected the page.
#include "cli/check_command.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "generators/edition.h"
#include "platform/write_hook.h"
#include "tests/support/file_bytes.h"
#include "tests/support/ordinary_user.h"
#include "tests/support/temp_dir.h"

namespace
{

namespace fs = std::filesystem;

struct Hostile {
    const char* name;
    // Prepares the tree before the run: the page is "site/a.html", "outside" is beside it.
    std::function<void(const TempDir&)> before;
    // Changes the tree between the read and the write.
    std::function<void(const TempDir&)> during;
    bool upgraded; // the page gets the upgrade
};

void PrintTo(const Hostile& h, std::ostream* os)
{
    *os << h.name;
}

std::string Page()
{
    const gen::GadgetEntry& g = *gen::FindGadget("break-frames");
    return "<html><body>\n" +
           gen::GenerateEdition(g, gen::DefaultValues(g), gen::Edition::Classic).TextForm() +
           "</body></html>\n";
}

class CheckUpgradeHostile : public testing::TestWithParam<Hostile>
{
};

// Whatever happens, the file outside keeps its bytes, no PAGE.orig outlives a failed upgrade,
// and a refused page is reported with exit status 2.
TEST_P(CheckUpgradeHostile, WritesOnlyThePageReadAndLosesNothing)
{
    const TempDir dir;
    fs::create_directories(dir.File("site"));
    fs::create_directories(dir.File("outside"));
    WriteBytes(dir.File("outside/important.conf"), "keep");
    const std::string page = dir.Write("site/a.html", Page());
    if (GetParam().before)
        GetParam().before(dir);
    const platform::ScopedWriteHook hook([&](const std::string&) {
        if (GetParam().during)
            GetParam().during(dir);
    });
    std::ostringstream out, err;
    const int status = cli::RunCheck({"--upgrade", dir.File("site")}, out, err);

    EXPECT_EQ(ReadBytes(dir.File("outside/important.conf")), "keep");
    EXPECT_FALSE(fs::exists(dir.File("outside/cron-job")));
    if (GetParam().upgraded) {
        EXPECT_EQ(status, 1) << err.str();
        EXPECT_EQ(ReadBytes(page + ".orig"), Page());
        return;
    }
    EXPECT_EQ(status, 2);
    EXPECT_NE(err.str().find(page), std::string::npos) << err.str();
    EXPECT_TRUE(fs::is_symlink(page + ".orig") || !fs::exists(fs::symlink_status(page + ".orig")));
}

void SwapPageForLink(const TempDir& dir)
{
    fs::rename(dir.File("site/a.html"), dir.File("site/moved.txt"));
    fs::create_symlink("../outside/important.conf", dir.File("site/a.html"));
}

INSTANTIATE_TEST_SUITE_P(
    Trees, CheckUpgradeHostile,
    testing::Values(Hostile{"Plain", nullptr, nullptr, true},
                    Hostile{"DanglingOrigLink",
                            [](const TempDir& d) {
                                fs::create_symlink("../outside/cron-job",
                                                   d.File("site/a.html.orig"));
                            },
                            nullptr, false},
                    Hostile{"PageSwappedForALink", nullptr, SwapPageForLink, false},
                    Hostile{"OrigLinkMadeMeanwhile", nullptr,
                            [](const TempDir& d) {
                                fs::create_symlink("../outside/cron-job",
                                                   d.File("site/a.html.orig"));
                            },
                            false},
                    Hostile{"PageEditedMeanwhile", nullptr,
                            [](const TempDir& d) {
                                std::ofstream(d.File("site/a.html"), std::ios::app)
                                    << "<p>OWNER EDIT</p>\n";
                            },
                            false},
                    Hostile{"PageMadeAFolder", nullptr,
                            [](const TempDir& d) {
                                fs::rename(d.File("site/a.html"), d.File("site/moved.txt"));
                                fs::create_directory(d.File("site/a.html"));
                            },
                            false}),
    [](const testing::TestParamInfo<Hostile>& info) { return info.param.name; });

// A folder of the site swapped for a link after the walk listed it: the pages listed in it are
// not written through the link, and the one upgraded before the swap stays upgraded.
TEST(CheckUpgrade, AFolderSwappedForALinkMeanwhileIsNotWrittenThrough)
{
    const TempDir dir;
    fs::create_directories(dir.File("site/sub"));
    fs::create_directories(dir.File("outside/sub"));
    dir.Write("site/sub/a.html", Page());
    dir.Write("site/sub/b.html", Page());
    const std::string outside = dir.Write("outside/sub/b.html", Page());
    bool swapped = false;
    const platform::ScopedWriteHook hook([&](const std::string&) {
        if (std::exchange(swapped, true))
            return;
        fs::rename(dir.File("site/sub"), dir.File("site/sub.moved"));
        fs::create_directory_symlink("../outside/sub", dir.File("site/sub"));
    });
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunCheck({"--upgrade", dir.File("site")}, out, err), 2);
    EXPECT_EQ(ReadBytes(outside), Page());
    EXPECT_FALSE(fs::exists(outside + ".orig"));
    EXPECT_TRUE(fs::exists(dir.File("site/sub.moved/a.html.orig")));
    EXPECT_NE(err.str().find("site/sub/b.html"), std::string::npos) << err.str();
}

// A dry run gives the refusals and notices the real run will give, and no diff for a page the
// real run will refuse.
TEST(CheckUpgrade, ADryRunForeseesTheRealRunsRefusals)
{
    const TempDir dir;
    fs::create_directories(dir.File("site"));
    const std::string refused = dir.Write("site/p.html", Page());
    dir.Write("site/p.html.orig", "my notes");
    const std::string linked = dir.Write("site/h.html", Page());
    fs::create_hard_link(linked, dir.File("h2.html"));
    const std::string refusal = refused + ": not upgraded: " + refused + ".orig is already there";

    std::ostringstream out, err;
    EXPECT_EQ(cli::RunCheck({"--upgrade", "--dry-run", dir.File("site")}, out, err), 2);
    EXPECT_NE(err.str().find(refusal), std::string::npos) << err.str();
    EXPECT_NE(err.str().find(linked + ": would be upgraded as a new file; its 1 other hard link"),
              std::string::npos)
        << err.str();
    EXPECT_EQ(out.str().find("+++ " + refused), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("+++ " + linked), std::string::npos) << out.str();

    std::ostringstream realOut, realErr;
    EXPECT_EQ(cli::RunCheck({"--upgrade", dir.File("site")}, realOut, realErr), 2);
    EXPECT_NE(realErr.str().find(refusal), std::string::npos) << realErr.str();
    EXPECT_EQ(ReadBytes(refused), Page());
}

// An edit made while the upgrade runs stays in the page.
TEST(CheckUpgrade, AnEditMadeMeanwhileIsKept)
{
    const TempDir dir;
    const std::string page = dir.Write("a.html", Page());
    const platform::ScopedWriteHook hook(
        [&](const std::string&) { std::ofstream(page, std::ios::app) << "<p>OWNER EDIT</p>\n"; });
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunCheck({"--upgrade", page}, out, err), 2);
    EXPECT_EQ(ReadBytes(page), Page() + "<p>OWNER EDIT</p>\n");
    EXPECT_FALSE(fs::exists(page + ".orig"));
}

// A page its owner may not write is refused before anything is made, so no PAGE.orig is left
// to refuse the page ever after.
TEST(CheckUpgrade, AReadOnlyPageLeavesNoOrig)
{
    const TempDir dir;
    const std::string page = dir.Write("a.html", Page());
    ASSERT_EQ(chmod(page.c_str(), 0444), 0);
    const int result = AsOrdinaryUser(dir.path(), [&] {
        std::ostringstream out, err;
        const int status = cli::RunCheck({"--upgrade", page}, out, err);
        return status * 16 + (fs::exists(fs::symlink_status(page + ".orig")) ? 1 : 0);
    });
    EXPECT_EQ(result, 2 * 16);
    EXPECT_EQ(ReadBytes(page), Page());
}

// The copy is only as readable as the page, belongs to the page's owner and keeps its times;
// a page with a second name says that name keeps the old page.
TEST(CheckUpgrade, OrigKeepsModeOwnerAndTimesAndHardLinksAreNamed)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only the superuser may give the copy to the page's owner";
    const TempDir dir;
    const std::string page = dir.Write("secret.php", Page());
    ASSERT_EQ(chmod(page.c_str(), 0600), 0);
    ASSERT_EQ(chown(page.c_str(), 65534, 65534), 0);
    const struct timespec times[2] = {{1000000000, 5}, {1100000000, 7}};
    ASSERT_EQ(utimensat(AT_FDCWD, page.c_str(), times, 0), 0);
    fs::create_hard_link(page, dir.File("other.txt"));

    std::ostringstream out, err;
    EXPECT_EQ(cli::RunCheck({"--upgrade", page}, out, err), 1) << err.str();
    struct stat orig {
    };
    ASSERT_EQ(lstat((page + ".orig").c_str(), &orig), 0);
    EXPECT_EQ(orig.st_mode & 07777, 0600u);
    EXPECT_EQ(orig.st_uid, 65534u);
    EXPECT_EQ(orig.st_gid, 65534u);
    EXPECT_EQ(orig.st_mtim.tv_sec, times[1].tv_sec);
    EXPECT_EQ(orig.st_mtim.tv_nsec, times[1].tv_nsec);
    EXPECT_EQ(ReadBytes(dir.File("other.txt")), Page());
    EXPECT_NE(err.str().find("1 other hard link"), std::string::npos) << err.str();
}

} // namespace
