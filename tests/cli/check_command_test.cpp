// sitewright-gen check over real folders: its report, its exit statuses, the upgrade's files,
// and pages that are too big, unreadable or not text, or trees that loop.
#include "cli/check_command.h"
#include "cli/dispatch.h"
#include "generators/stamp.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "generators/compatibility.h"
#include "generators/edition.h"
#include "recipe/recipe.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_dir.h"

namespace
{

struct CheckRun {
    int status;
    std::string out;
    std::string err;
};

CheckRun Check(std::vector<std::string> args)
{
    std::ostringstream out, err;
    const int status = cli::RunCheck(args, out, err);
    return {status, out.str(), err.str()};
}

std::string Page(const std::string& gadget)
{
    const gen::GadgetEntry& g = *gen::FindGadget(gadget);
    return "<html><body>\n<p>Hello</p>\n" +
           gen::GenerateEdition(g, gen::DefaultValues(g), gen::Edition::Classic).TextForm() +
           "</body></html>\n";
}

TEST(CheckCommand, ReportsEachFindingAndExitsByTheWorstStatus)
{
    const TempDir dir;
    const std::string broken = dir.Write("a.html", Page("bookmark-us"));
    const std::string works = dir.Write("b.htm", Page("metasearch"));
    dir.Write("notes.txt", Page("bookmark-us"));

    const CheckRun both = Check({dir.path().string()});
    EXPECT_EQ(both.status, 1) << both.err;
    EXPECT_EQ(both.out, broken + ":9: bookmark-us (classic): does not work: " +
                            std::string(gen::FindGadget("bookmark-us")->compatibility.sentence) +
                            "\n" + works + ":11: metasearch (classic): works: " +
                            std::string(gen::FindGadget("metasearch")->compatibility.sentence) +
                            "\n" + "2 findings in 2 pages: 1 work, 0 partly, 1 do not work\n");
    EXPECT_EQ(Check({works}).status, 0);
}

// A page reached under two names (given twice, given and in a folder given, through a link in
// the tree) is checked once, under the first name found; after an upgrade under the first, the
// other does not report the page it became.
TEST(CheckCommand, APageReachedTwiceIsCheckedOnce)
{
    const TempDir dir;
    const std::string page = dir.Write("a.html", Page("bookmark-us"));
    std::filesystem::create_symlink("a.html", dir.path() / "b.html");
    const std::string folder = dir.path().string();
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {page, page}, {page, folder}, {folder}, {folder, page}, {"--upgrade", folder}}) {
        const CheckRun run = Check(args);
        EXPECT_EQ(run.out.rfind(page + ":9: bookmark-us (classic)", 0), 0u) << run.out;
        EXPECT_NE(run.out.find("\n1 findings in 1 pages"), std::string::npos) << run.out;
    }
}

TEST(CheckCommand, JsonLinesCarryExactlyTheKeys)
{
    const TempDir dir;
    const std::string page = dir.Write("a.html", Page("popup-page") + std::string("\xff\xfe\n"));
    const CheckRun run = Check({"--json", page});
    std::istringstream lines(run.out);
    std::string line;
    ASSERT_TRUE(std::getline(lines, line));
    const nlohmann::json j = nlohmann::json::parse(line);
    std::vector<std::string> keys;
    for (const auto& item : j.items())
        keys.push_back(item.key());
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(keys, (std::vector<std::string>{"edited", "edition", "file", "gadget", "line",
                                              "stamped", "status", "values"}));
    EXPECT_EQ(j["file"], page);
    EXPECT_EQ(j["gadget"], "popup-page");
    EXPECT_EQ(j["status"], "does not work");
    EXPECT_EQ(j["values"].size(), gen::FindGadget("popup-page")->fields.size());
    EXPECT_TRUE(j["edited"].is_null());
    EXPECT_FALSE(std::getline(lines, line));
}

TEST(CheckCommand, UpgradeKeepsTheOriginalAndRefusesASecondRun)
{
    const TempDir dir;
    const std::string original = Page("break-frames");
    const std::string page = dir.Write("a.html", original);

    EXPECT_EQ(Check({"--upgrade", page}).status, 1);
    const std::string upgraded = ReadBytes(page);
    EXPECT_NE(upgraded, original);
    EXPECT_EQ(ReadBytes(page + ".orig"), original);

    // Once upgraded, nothing is left to replace and nothing is written.
    EXPECT_EQ(Check({"--upgrade", page}).status, 0);
    EXPECT_EQ(ReadBytes(page + ".orig"), original);

    // The classic page put back: its original is still kept, so this run writes nothing.
    WriteBytes(page, original);
    const CheckRun again = Check({"--upgrade", page});
    EXPECT_EQ(again.status, 2);
    EXPECT_NE(again.err.find(page + ".orig"), std::string::npos) << again.err;
    EXPECT_EQ(ReadBytes(page), original);
    EXPECT_EQ(ReadBytes(page + ".orig"), original);
}

TEST(CheckCommand, NoBackupAndDryRun)
{
    const TempDir dir;
    const std::string original = Page("set-homepage");
    const std::string page = dir.Write("a.html", original);

    const CheckRun dry = Check({"--upgrade", "--dry-run", page});
    EXPECT_EQ(dry.out.rfind(page + ":", 0), 0u) << dry.out;
    EXPECT_NE(dry.out.find("--- " + page + "\n+++ " + page + "\n@@ -"), std::string::npos);
    EXPECT_EQ(ReadBytes(page), original);
    EXPECT_FALSE(std::filesystem::exists(page + ".orig"));

    EXPECT_EQ(Check({"--upgrade", "--no-backup", page}).status, 1);
    EXPECT_NE(ReadBytes(page), original);
    EXPECT_FALSE(std::filesystem::exists(page + ".orig"));
}

TEST(CheckCommand, BadPagesAndTreesEndWithTheRestChecked)
{
    const TempDir dir;
    const TempDir outside;
    outside.Write("far.html", Page("bookmark-us"));
    std::filesystem::create_directories(dir.path() / "site" / "sub");
    const std::string good = dir.Write("site/sub/good.html", Page("metasearch"));
    std::filesystem::create_directory_symlink("..", dir.path() / "site" / "sub" / "loop");
    std::filesystem::create_directory_symlink(outside.path(), dir.path() / "site" / "away");
    std::string big = Page("bookmark-us");
    big.resize(20 * 1024 * 1024, ' ');
    dir.Write("site/big.html", big);
    std::string binary(100000, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(i * 131 % 251);
    dir.Write("site/binary.html", binary + "if (window != top) top.location.href");
    dir.Write("site/cut.html", Page("popup-page").substr(0, 400));

    const CheckRun run = Check({"--json", (dir.path() / "site").string()});
    // A page left out is an error: the run cannot say the site is clean.
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_NE(run.err.find("big.html: skipped: larger than 16 MB"), std::string::npos) << run.err;
    EXPECT_EQ(run.out.find("far.html"), std::string::npos);
    EXPECT_NE(run.out.find(good), std::string::npos);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1);
}

// Run as someone who may not read the locked page: the superuser reads every file, so the check
// then runs in a child process that has become the unprivileged user "nobody".
int AsUnprivileged(const std::vector<std::string>& args, const std::string& good)
{
    if (geteuid() != 0) {
        const CheckRun run = Check(args);
        return run.status * 16 + (run.out.find(good) != std::string::npos ? 1 : 0);
    }
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(99);
        const CheckRun run = Check(args);
        _exit(run.status * 16 + (run.out.find(good) != std::string::npos ? 1 : 0));
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CheckCommand, AnUnreadablePageIsReportedAndTheRestChecked)
{
    const TempDir dir;
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all |
                                                 std::filesystem::perms::others_read |
                                                 std::filesystem::perms::others_exec);
    const std::string locked = dir.Write("a.html", Page("bookmark-us"));
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    const std::string good = dir.Write("b.html", Page("metasearch"));
    std::filesystem::permissions(good, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::others_read);
    // Exit status 2, and the readable page still reported.
    EXPECT_EQ(AsUnprivileged({dir.path().string()}, good), 2 * 16 + 1);
}

// A name holding a line break or bytes that are not UTF-8 stays on its report line, quoted as
// a shell reads it back, in reports and diff headers alike; JSON carries its bytes.
TEST(CheckCommand, OddNamesAreQuotedAndKeptWhole)
{
    const TempDir dir;
    const std::string broken = dir.Write("a\nb.html", Page("bookmark-us"));
    const std::string latin = dir.Write("caf\xE9.html", Page("bookmark-us"));
    const std::string folder = dir.path().string();

    const CheckRun text = Check({broken, latin});
    EXPECT_EQ(std::count(text.out.begin(), text.out.end(), '\n'), 3) << text.out;
    EXPECT_NE(text.out.find("'" + folder + "/a'$'\\n''b.html':9: "), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("'" + folder + "/caf'$'\\351''.html':9: "), std::string::npos);

    const CheckRun diff = Check({"--upgrade", "--dry-run", broken});
    EXPECT_NE(diff.out.find("--- '" + folder + "/a'$'\\n''b.html'\n"), std::string::npos)
        << diff.out;

    const CheckRun json = Check({"--json", latin});
    const nlohmann::json line = nlohmann::json::parse(json.out);
    std::string bytes;
    for (const auto& b : line.at("file_bytes"))
        bytes += static_cast<char>(b.get<int>());
    EXPECT_EQ(bytes, latin);
}

// Folders nested so deep that their path is longer than the system follows, made and removed a
// folder at a time.
class DeepTree
{
public:
    explicit DeepTree(const std::filesystem::path& root) : root_(root)
    {
        int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY);
        for (std::size_t depth = 0; depth * kName.size() <= PATH_MAX + kName.size(); ++depth) {
            mkdirat(fd, kName.c_str(), 0700);
            const int next = openat(fd, kName.c_str(), O_RDONLY | O_DIRECTORY);
            close(fd);
            fd = next;
            ++depth_;
        }
        const int page = openat(fd, "deep.html", O_WRONLY | O_CREAT, 0600);
        close(page);
        close(fd);
    }
    ~DeepTree()
    {
        // From the deepest folder up, each reached through descriptors, never a long path.
        for (; depth_ > 0; --depth_) {
            int fd = open(root_.c_str(), O_RDONLY | O_DIRECTORY);
            for (std::size_t d = 1; d < depth_; ++d) {
                const int next = openat(fd, kName.c_str(), O_RDONLY | O_DIRECTORY);
                close(fd);
                fd = next;
            }
            const int last = openat(fd, kName.c_str(), O_RDONLY | O_DIRECTORY);
            unlinkat(last, "deep.html", 0);
            close(last);
            unlinkat(fd, kName.c_str(), AT_REMOVEDIR);
            close(fd);
        }
    }

private:
    const std::string kName = std::string(200, 'd');
    std::filesystem::path root_;
    std::size_t depth_ = 0;
};

// Pages that cannot be reached are errors that name the folder, not pages left out silently:
// a folder nested past the longest path, and (as an ordinary user) one that may be listed but
// not searched.
TEST(CheckCommand, FoldersThatCannotBeSearchedAreErrors)
{
    const TempDir dir;
    const DeepTree deep(dir.path());
    const CheckRun run = Check({dir.path().string()});
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_NE(run.err.find(std::strerror(ENAMETOOLONG)), std::string::npos) << run.err;

    const TempDir site;
    std::filesystem::permissions(site.path(), std::filesystem::perms::owner_all |
                                                  std::filesystem::perms::others_read |
                                                  std::filesystem::perms::others_exec);
    const std::string good = site.Write("b.html", Page("metasearch"));
    std::filesystem::permissions(good, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::others_read);
    std::filesystem::create_directory(site.path() / "listed");
    site.Write("listed/a.html", Page("bookmark-us"));
    std::filesystem::permissions(site.path() / "listed", std::filesystem::perms::owner_read |
                                                             std::filesystem::perms::others_read);
    EXPECT_EQ(AsUnprivileged({site.path().string()}, good), 2 * 16 + 1);
    std::filesystem::permissions(site.path() / "listed", std::filesystem::perms::owner_all);
}

TEST(CheckCommand, UsageErrors)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"--frobnicate", "x"}, {"--dry-run", "x"}, {"--no-backup", "x"}}) {
        const CheckRun run = Check(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.empty());
        EXPECT_FALSE(run.err.empty());
    }
    EXPECT_EQ(Check({"--help"}).status, 0);
    EXPECT_EQ(Check({"/nonexistent/page.html"}).status, 2);
    // After "--" a name that begins with '-' is a page, not an option.
    const CheckRun dashed = Check({"--", "-x.html"});
    EXPECT_EQ(dashed.status, 2);
    EXPECT_NE(dashed.err.find("cannot read -x.html"), std::string::npos) << dashed.err;
}

} // namespace

namespace
{

// --from prints a recipe in the recipe format itself, and that recipe regenerates every stamped
// snippet of the page byte for byte, hostile values and both editions included.
TEST(FromCommand, ItsRecipeRegeneratesTheStampedSnippets)
{
    const TempDir dir;
    std::string page = "<body>\n" + Page("bookmark-us"), stamped;
    std::size_t n = 0;
    for (const gen::GadgetEntry& g : gen::GadgetTable()) {
        const gen::Edition edition = n++ % 2 ? gen::Edition::Today : gen::Edition::Classic;
        gen::FieldValues values = gen::DefaultValues(g);
        if (g.id == "popup-page")
            values[0] = "http://x.example/?a=\"1\"&b=--> caf\xC3\xA9\n";
        const std::string snippet = gen::StampedEdition(g, values, edition).TextForm();
        stamped += snippet;
        page += "<p>between</p>\n" + snippet;
    }
    std::ostringstream out, err;
    ASSERT_EQ(cli::RunSitewrightGen({"--from", dir.Write("a.html", page)}, out, err), 0)
        << err.str();
    const recipe::Recipe r = recipe::ParseRecipe(out.str());
    ASSERT_EQ(r.snippets.size(), gen::GadgetTable().size());
    EXPECT_EQ(recipe::WriteRecipe(r), out.str()); // canonical already
    for (const recipe::Entry& entry : r.snippets)
        EXPECT_TRUE(entry.stamp) << entry.gadget;

    std::ostringstream regenerated, recipeErr;
    ASSERT_EQ(
        cli::RunSitewrightGen({"--recipe", dir.Write("a.json", out.str())}, regenerated, recipeErr),
        0)
        << recipeErr.str();
    EXPECT_EQ(regenerated.str(), stamped);
}

TEST(FromCommand, RefusesAPageWithoutStampsOrWithValuesJsonCannotHold)
{
    const TempDir dir;
    std::ostringstream none, noneErr;
    EXPECT_EQ(
        cli::RunSitewrightGen({"--from", dir.Write("b.html", Page("bookmark-us"))}, none, noneErr),
        1);
    EXPECT_TRUE(none.str().empty());

    const gen::GadgetEntry& g = *gen::FindGadget("bookmark-us");
    gen::FieldValues values = gen::DefaultValues(g);
    values[0] = "caf\xE9"; // Latin-1, as an old page may hold it
    const std::string page =
        dir.Write("c.html", gen::StampedEdition(g, values, gen::Edition::Classic).TextForm());
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunSitewrightGen({"--from", page}, out, err), 2);
    EXPECT_TRUE(out.str().empty());
    EXPECT_NE(err.str().find("not UTF-8"), std::string::npos) << err.str();
}

} // namespace

namespace
{

// --stamp adds its one line and changes nothing else, for every gadget and edition.
TEST(StampOption, AddsOneLineBeforeTheSameSnippet)
{
    for (const gen::GadgetEntry& g : gen::GadgetTable())
        for (const char* edition : {"classic", "today"}) {
            std::ostringstream plain, stamped, err;
            ASSERT_EQ(cli::RunSitewrightGen({std::string(g.id), "--edition", edition}, plain, err),
                      0);
            ASSERT_EQ(cli::RunSitewrightGen({std::string(g.id), "--stamp", "--edition", edition},
                                            stamped, err),
                      0);
            const std::string s = stamped.str();
            const std::size_t first = s.find("\r\n");
            EXPECT_TRUE(gen::ReadStamp(s.substr(0, first))) << g.id;
            EXPECT_EQ(s.substr(first + 2), plain.str()) << g.id << ' ' << edition;
        }
}

} // namespace
