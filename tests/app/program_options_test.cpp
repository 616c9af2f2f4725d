// The desktop program answers --help and --version on standard output, and a write that fails
// there ends it with status 1, as it does for the other programs.
#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <string>
#include <unistd.h>

#include "app/program_options.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_dir.h"

namespace
{

struct Row {
    const char* name;
    const char* option; // nullptr: no option at all
    bool full;          // standard output is a device that takes nothing
    std::optional<int> status;
    const char* begins; // what standard output begins with
};

// Runs the program's option answer with standard output sent to `target`.
std::optional<int> AnswerInto(const char* option, const std::string& target)
{
    std::string program = "sitewright";
    std::string argument = option ? option : "";
    char* argv[] = {program.data(), argument.data(), nullptr};
    std::fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    const int fd = open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(fd, STDOUT_FILENO);
    close(fd);
    const std::optional<int> status = AnswerProgramOptions(option ? 2 : 1, argv);
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    std::clearerr(stdout);
    return status;
}

class ProgramOptions : public testing::TestWithParam<Row>
{
};

TEST_P(ProgramOptions, AnswerOnStandardOutput)
{
    const Row& row = GetParam();
    const TempDir dir;
    const std::string target = row.full ? "/dev/full" : dir.File("out");
    EXPECT_EQ(AnswerInto(row.option, target), row.status);
    if (!row.full) {
        EXPECT_EQ(ReadBytes(target).rfind(row.begins, 0), 0u) << ReadBytes(target);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ProgramOptions,
                         testing::Values(Row{"version", "--version", false, 0, "sitewright "},
                                         Row{"help", "--help", false, 0, "Usage: sitewright"},
                                         Row{"none", nullptr, false, std::nullopt, ""},
                                         Row{"version_on_a_full_device", "--version", true, 1, ""},
                                         Row{"help_on_a_full_device", "-h", true, 1, ""}),
                         [](const testing::TestParamInfo<Row>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
