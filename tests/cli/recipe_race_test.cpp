// A recipe run against a tree and a recipe that change between the checks and the writes: the
// bytes checked are the bytes run, nothing is written outside the recipe's folder, and a
// refused output leaves every file and standard output as they were.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/write_hook.h"
#include "tests/cli/gen_run.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_dir.h"

namespace
{

namespace fs = std::filesystem;

constexpr const char* kRecipe =
    R"({"format": 1, "snippets": [{"gadget": "break-frames", "output": "a.html"},)"
    R"({"gadget": "popup-page"}, {"gadget": "break-frames", "output": "sub/x.html"}]})";

struct Change {
    const char* name;
    std::function<void(const TempDir&)> during; // run as the last output is about to be staged
    bool refused;
};

void PrintTo(const Change& c, std::ostream* os)
{
    *os << c.name;
}

class RecipeRace : public testing::TestWithParam<Change>
{
};

TEST_P(RecipeRace, WritesOnlyWhatWasCheckedOrNothing)
{
    const TempDir dir;
    fs::create_directories(dir.File("site/sub"));
    fs::create_directories(dir.File("outside"));
    WriteBytes(dir.File("outside/x.html"), "keep");
    WriteBytes(dir.File("site/a.html"), "old");
    WriteBytes(dir.File("site/sub/x.html"), "old");
    const std::string recipe = dir.Write("site/site.json", kRecipe);
    const platform::ScopedWriteHook hook([&](const std::string& target) {
        if (target.ends_with("x.html"))
            GetParam().during(dir);
    });
    const GenRun r = Gen({"--recipe", recipe});

    EXPECT_EQ(ReadBytes(dir.File("outside/x.html")), "keep");
    EXPECT_FALSE(fs::exists(dir.File("outside/pwned.html")));
    if (!GetParam().refused) {
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(ReadBytes(dir.File("site/sub/x.html")), Gen({"break-frames"}).out);
        return;
    }
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadBytes(dir.File("site/a.html")), "old");
    EXPECT_NE(r.err.find("x.html"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("nothing was replaced"), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Changes, RecipeRace,
    testing::Values(Change{"RecipeRewritten",
                           [](const TempDir& d) {
                               std::string bytes = kRecipe;
                               bytes.replace(bytes.find("sub/x.html"), 10, "../outside/pwned.html");
                               WriteBytes(d.File("site/site.json"), bytes);
                           },
                           false},
                    Change{"FolderSwappedForALink",
                           [](const TempDir& d) {
                               fs::rename(d.File("site/sub"), d.File("site/sub-real"));
                               fs::create_symlink("../outside", d.File("site/sub"));
                           },
                           true},
                    Change{"FileSwappedForALink",
                           [](const TempDir& d) {
                               fs::remove(d.File("site/sub/x.html"));
                               fs::create_symlink("../../outside/x.html",
                                                  d.File("site/sub/x.html"));
                           },
                           true}),
    [](const testing::TestParamInfo<Change>& info) { return info.param.name; });

} // namespace
