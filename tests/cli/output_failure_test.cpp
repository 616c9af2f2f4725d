// Every command that prints: when standard output takes nothing (a full disk), the command
// says why and does not end in a success status.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sstream>

#include "cli/dispatch.h"
#include "generators/edition.h"
#include "generators/stamp.h"
#include "tests/support/temp_dir.h"

namespace
{

// A standard output that takes nothing, like a full disk.
class FullBuffer : public std::streambuf
{
protected:
    int overflow(int) override
    {
        errno = ENOSPC;
        return traits_type::eof();
    }
    std::streamsize xsputn(const char*, std::streamsize) override
    {
        errno = ENOSPC;
        return 0;
    }
};

struct Printing {
    const char* name;
    std::vector<std::string> args; // PAGE and RECIPE stand for the files the test writes
    int status;
};

class FullOutput : public testing::TestWithParam<Printing>
{
};

TEST_P(FullOutput, SaysWhyAndFails)
{
    const TempDir dir;
    const gen::GadgetEntry& g = *gen::FindGadget("bookmark-us");
    const std::string page = dir.Write(
        "a.html",
        "<body>\n" +
            gen::StampedEdition(g, gen::DefaultValues(g), gen::Edition::Classic).TextForm() +
            "</body>\n");
    const std::string recipe =
        dir.Write("r.json", "{\"format\": 1, \"snippets\": [{\"gadget\": \"bookmark-us\"}]}");
    std::vector<std::string> args = GetParam().args;
    for (std::string& arg : args)
        arg = arg == "PAGE" ? page : arg == "RECIPE" ? recipe : arg;

    FullBuffer full;
    std::ostream out(&full);
    std::ostringstream err;
    EXPECT_EQ(cli::RunSitewrightGen(args, out, err), GetParam().status);
    EXPECT_EQ(err.str(), std::string("sitewright-gen: cannot write to standard output: ") +
                             std::strerror(ENOSPC) + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Commands, FullOutput,
    testing::Values(
        Printing{"Check", {"check", "PAGE"}, cli::kExitUsage},
        Printing{"CheckJson", {"check", "--json", "PAGE"}, cli::kExitUsage},
        Printing{"UpgradeDryRun", {"check", "--upgrade", "--dry-run", "PAGE"}, cli::kExitUsage},
        Printing{"Upgrade", {"check", "--upgrade", "PAGE"}, cli::kExitUsage},
        Printing{"From", {"--from", "PAGE"}, cli::kExitFailure},
        Printing{"AsRecipe", {"bookmark-us", "--as-recipe"}, cli::kExitFailure},
        Printing{"RecipeDryRun", {"--recipe", "RECIPE", "--dry-run"}, cli::kExitFailure},
        Printing{"Recipe", {"--recipe", "RECIPE"}, cli::kExitFailure}),
    [](const testing::TestParamInfo<Printing>& info) { return std::string(info.param.name); });

} // namespace
