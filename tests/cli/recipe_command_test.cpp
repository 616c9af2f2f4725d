#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <vector>

#include "cli/dispatch.h"
#include "generators/gadget_table.h"
#include "platform/staged_batch.h"
#include "tests/cli/gen_run.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_dir.h"

namespace
{

namespace fs = std::filesystem;

std::string Recipe(const std::string& entries)
{
    return "{\"format\": 1, \"snippets\": [" + entries + "]}";
}

// Every path below `root` with its bytes, to see that a refused run wrote nothing.
std::set<std::pair<std::string, std::string>> Snapshot(const fs::path& root)
{
    std::set<std::pair<std::string, std::string>> files;
    for (const auto& item : fs::recursive_directory_iterator(root))
        files.emplace(item.path().string(),
                      item.is_regular_file() ? ReadBytes(item.path().string()) : "");
    return files;
}

TEST(RecipeCommand, WritesEachSnippetWhereItsEntrySays)
{
    TempDir dir;
    fs::create_directory(dir.path() / "site");
    const std::string file = dir.Write(
        "site/site.json",
        Recipe("{\"gadget\": \"bookmark-us\", \"values\": {\"site-name\": \"</script>\\n\"}, "
               "\"output\": \"parts/bookmark.html\"},"
               "{\"gadget\": \"break-frames\"},"
               "{\"gadget\": \"popup-page\", \"edition\": \"today\"}"));
    fs::create_directory(dir.path() / "site/parts");
    const GenRun r = Gen({"--recipe", file});
    EXPECT_EQ(r.status, cli::kExitOk) << r.err;
    EXPECT_EQ(ReadBytes(dir.File("site/parts/bookmark.html")),
              Gen({"bookmark-us", "--site-name=</script>\n"}).out);
    EXPECT_EQ(r.out, Gen({"break-frames"}).out + Gen({"popup-page", "--edition=today"}).out);
}

TEST(RecipeCommand, DryRunListsAndWritesNothing)
{
    TempDir dir;
    const std::string file =
        dir.Write("site.json", Recipe("{\"gadget\": \"break-frames\", \"output\": \"a.html\"},"
                                      "{\"gadget\": \"bookmark-us\", \"edition\": \"today\"}"));
    const auto before = Snapshot(dir.path());
    const GenRun r = Gen({"--recipe=" + file, "--dry-run"});
    EXPECT_EQ(r.status, cli::kExitOk) << r.err;
    const std::string first = dir.path().string() + "/a.html: break-frames, classic, " +
                              std::to_string(Gen({"break-frames"}).out.size()) + " bytes\n";
    EXPECT_EQ(r.out, first + "standard output: bookmark-us, today, " +
                         std::to_string(Gen({"bookmark-us", "--edition", "today"}).out.size()) +
                         " bytes\n");
    EXPECT_EQ(Snapshot(dir.path()), before);
}

// A name with a terminal's escape or a line break in it is quoted wherever it is shown, so it can
// neither rewrite the lines above it nor pass for two: in the plan, and in the message that names
// the recipe.
TEST(RecipeCommand, NamesAreShownQuoted)
{
    TempDir dir;
    const std::string file = dir.Write(
        "s\nite.json", Recipe("{\"gadget\": \"break-frames\", \"output\": \"\\u001b[1Aa.html\"}"));
    const GenRun plan = Gen({"--recipe=" + file, "--dry-run"});
    EXPECT_EQ(plan.status, cli::kExitOk) << plan.err;
    EXPECT_NE(plan.out.find("'$'\\033''[1Aa.html': break-frames"), std::string::npos) << plan.out;
    EXPECT_EQ(plan.out.find('\033'), std::string::npos) << plan.out;
    dir.Write("s\nite.json", "{");
    const GenRun refused = Gen({"--recipe=" + file});
    EXPECT_NE(refused.err.find("/s'$'\\n''ite.json': "), std::string::npos) << refused.err;
    EXPECT_EQ(refused.err.find('\n'), refused.err.size() - 1) << refused.err;
}

// The recipe printed for a command line regenerates what the line writes, --stamp and --csp
// (the policy's sources instead of the snippet) and all.
class AsRecipe : public testing::TestWithParam<std::string>
{
};

TEST_P(AsRecipe, GivesTheSameSnippet)
{
    std::vector<std::string> line{"popup-page", "--width=320", "--url", "a\"b", "--edition=today"};
    if (!GetParam().empty())
        line.push_back(GetParam());
    std::vector<std::string> asRecipe = line;
    asRecipe.push_back("--as-recipe");
    const GenRun printed = Gen(asRecipe);
    ASSERT_EQ(printed.status, cli::kExitOk) << printed.err;
    EXPECT_NE(printed.out.find("\"url\": \"a\\\"b\",\n        \"width\": \"320\"\n"),
              std::string::npos)
        << printed.out;
    EXPECT_EQ(printed.out.find("\"stamp\": true") != std::string::npos, GetParam() == "--stamp");
    EXPECT_EQ(printed.out.find("\"csp\": true") != std::string::npos, GetParam() == "--csp");
    TempDir dir;
    const GenRun generated = Gen({"--recipe", dir.Write("one.json", printed.out)});
    EXPECT_EQ(generated.out, Gen(line).out);
    EXPECT_EQ(generated.out.rfind("<!-- sitewright:", 0) == 0, GetParam() == "--stamp");
    EXPECT_EQ(generated.out.rfind("script-src 'sha256-", 0) == 0, GetParam() == "--csp");
}

INSTANTIATE_TEST_SUITE_P(PlainStampedAndPolicy, AsRecipe, testing::Values("", "--stamp", "--csp"));

struct Refusal {
    const char* name;
    std::string entries;
    std::string message; // after "sitewright-gen: <file>: "
};

class RecipeRefusal : public testing::TestWithParam<Refusal>
{
};

// Each refusal names the entry and key, exits 2 and leaves every file as it was, the ones the
// earlier, acceptable entries would write included.
TEST_P(RecipeRefusal, NamesThePlaceAndWritesNothing)
{
    TempDir dir;
    fs::create_directory(dir.path() / "site");
    fs::create_directory(dir.path() / "outside");
    dir.Write("site/old.html", "old");
    fs::create_directory_symlink(dir.path() / "outside", dir.path() / "site/linked");
    fs::create_symlink(dir.path() / "outside/x.html", dir.path() / "site/x.html");
    fs::create_directory(dir.path() / "site/sub");
    const std::string file = dir.Write(
        "site/site.json",
        Recipe("{\"gadget\": \"break-frames\", \"output\": \"old.html\"}, " + GetParam().entries));
    const auto before = Snapshot(dir.path());
    const GenRun r = Gen({"--recipe", file});
    EXPECT_EQ(r.status, cli::kExitUsage);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "sitewright-gen: " + file + ": " + GetParam().message + "\n");
    EXPECT_EQ(Snapshot(dir.path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, RecipeRefusal,
    testing::Values(
        Refusal{"UnknownOption", "{\"gadget\": \"popup-page\", \"values\": {\"widht\": \"1\"}}",
                "snippets[1].values.widht: no such option for popup-page (did you mean width?)"},
        Refusal{"Absolute", "{\"gadget\": \"popup-page\", \"output\": \"/tmp/x.html\"}",
                "snippets[1].output: must be a path relative to the recipe's folder, not "
                "\"/tmp/x.html\""},
        Refusal{"Parent", "{\"gadget\": \"popup-page\", \"output\": \"../outside/x.html\"}",
                "snippets[1].output: must stay in the recipe's folder, without \"..\""},
        Refusal{"FolderLink", "{\"gadget\": \"popup-page\", \"output\": \"linked/x.html\"}",
                "snippets[1].output: \"linked\" is a symbolic link, which could lead out of the "
                "recipe's folder"},
        Refusal{"FileLink", "{\"gadget\": \"popup-page\", \"output\": \"sub/../x.html\"}",
                "snippets[1].output: must stay in the recipe's folder, without \"..\""},
        Refusal{"LinkedFile", "{\"gadget\": \"popup-page\", \"output\": \"./x.html\"}",
                "snippets[1].output: \"x.html\" is a symbolic link, which could lead out of the "
                "recipe's folder"},
        Refusal{"MissingFolder", "{\"gadget\": \"popup-page\", \"output\": \"nowhere/x.html\"}",
                "snippets[1].output: the folder \"nowhere\" does not exist"},
        Refusal{"AFolder", "{\"gadget\": \"popup-page\", \"output\": \"sub\"}",
                "snippets[1].output: \"sub\" is a folder, not a regular file"},
        Refusal{"TheRecipeItself", "{\"gadget\": \"popup-page\", \"output\": \"site.json\"}",
                "snippets[1].output: is the recipe itself"},
        Refusal{"SameFile", "{\"gadget\": \"popup-page\", \"output\": \"sub/../old.html\"}",
                "snippets[1].output: must stay in the recipe's folder, without \"..\""},
        Refusal{"Twice", "{\"gadget\": \"popup-page\", \"output\": \"./old.html\"}",
                "snippets[1].output: writes the same file as snippets[0].output"},
        Refusal{"Malformed", "{\"gadget\": \"popup-page\",}",
                "line 1, column 102: syntax error while parsing object key - unexpected '}'; "
                "expected string literal"}),
    [](const testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST(RecipeCommand, RefusesAMissingFileAndABadCommandLine)
{
    TempDir dir;
    const GenRun missing = Gen({"--recipe", dir.File("none.json")});
    EXPECT_EQ(missing.status, cli::kExitUsage);
    EXPECT_NE(missing.err.find("none.json"), std::string::npos) << missing.err;
    const GenRun value = Gen({"bookmark-us", "--site-name", "--recipe"});
    EXPECT_EQ(value.status, cli::kExitOk);
    EXPECT_NE(value.out.find("--recipe"), std::string::npos);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--recipe"}, {"--dry-run"}, {"--recipe", "a", "b"}}) {
        const GenRun r = Gen(args);
        EXPECT_EQ(r.status, cli::kExitUsage) << args.size();
        EXPECT_EQ(r.out, "");
    }
}

} // namespace

namespace
{

// Entries of every gadget in both editions, each to a file of its own, `count` of them.
std::string ManyEntries(std::size_t count)
{
    const std::vector<gen::GadgetEntry>& table = gen::GadgetTable();
    std::string entries;
    for (std::size_t i = 0; i < count; ++i)
        entries += std::string(i ? "," : "") + "{\"gadget\": \"" +
                   std::string(table[i % table.size()].id) + "\", \"edition\": \"" +
                   ((i / table.size()) % 2 ? "today" : "classic") + "\", \"output\": \"out/" +
                   std::to_string(i) + ".html\"}";
    return Recipe(entries);
}

std::size_t StagedFilesIn(const fs::path& folder)
{
    std::size_t count = 0;
    for (const auto& item : fs::directory_iterator(folder))
        count += item.path().filename().string().rfind(".sw~", 0) == 0;
    return count;
}

// Many outputs, staged together: each file has its entry's snippet, and no
// staged file stays behind.
TEST(RecipeCommand, ManyOutputsAreEachWrittenWhole)
{
    TempDir dir;
    fs::create_directory(dir.path() / "out");
    const std::size_t count = 517;
    const std::string file = dir.Write("site.json", ManyEntries(count));
    const GenRun r = Gen({"--recipe", file});
    ASSERT_EQ(r.status, cli::kExitOk) << r.err;
    const std::vector<gen::GadgetEntry>& table = gen::GadgetTable();
    for (std::size_t i = 0; i < count; ++i) {
        const std::string edition = (i / table.size()) % 2 ? "today" : "classic";
        EXPECT_EQ(ReadBytes(dir.File("out/" + std::to_string(i) + ".html")),
                  Gen({std::string(table[i % table.size()].id), "--edition=" + edition}).out)
            << i;
    }
    EXPECT_EQ(StagedFilesIn(dir.path() / "out"), 0u);
}

} // namespace
