// --help, -h and --version as all three programs answer them.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "options/standard_options.h"

namespace
{

constexpr const char* kUsage = "Usage: prog\n";

struct StandardCase {
    const char* name;
    std::vector<std::string> args;
    std::optional<int> status;
    std::string out;
};

class StandardOptions : public testing::TestWithParam<StandardCase>
{
};

TEST_P(StandardOptions, AnswersOnlyTheLoneOption)
{
    std::ostringstream out, err;
    EXPECT_EQ(options::AnswerStandardOption(GetParam().args, "prog", kUsage, out, err),
              GetParam().status);
    EXPECT_EQ(out.str(), GetParam().out);
    EXPECT_EQ(err.str(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Lines, StandardOptions,
    testing::Values(StandardCase{"Help", {"--help"}, 0, kUsage},
                    StandardCase{"ShortHelp", {"-h"}, 0, kUsage},
                    StandardCase{
                        "Version", {"--version"}, 0, "prog " SITEWRIGHT_PROJECT_VERSION "\n"},
                    StandardCase{"Nothing", {}, std::nullopt, ""},
                    StandardCase{"WithMore", {"--version", "x"}, std::nullopt, ""},
                    StandardCase{"JoinedValue", {"--help=x"}, std::nullopt, ""},
                    StandardCase{"ShortVersionIsNotOurs", {"-v"}, std::nullopt, ""},
                    StandardCase{"Other", {"deltemp"}, std::nullopt, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StandardOptions, UnwritableOutputIsAFailure)
{
    for (const char* option : {"--help", "--version"}) {
        std::ostringstream out, err;
        out.setstate(std::ios::badbit);
        EXPECT_EQ(options::AnswerStandardOption({option}, "prog", kUsage, out, err), 1) << option;
        EXPECT_EQ(err.str(), "prog: cannot write to standard output: the stream refused the text\n")
            << option;
    }
}

} // namespace
