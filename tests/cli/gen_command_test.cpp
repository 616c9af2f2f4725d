#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sstream>
#include <streambuf>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "cli/dispatch.h"
#include "generators/bookmark_us.h"
#include "generators/break_frames.h"
#include "generators/compatibility.h"
#include "generators/edition.h"
#include "generators/gadget_table.h"
#include "options/standard_options.h"
#include "tests/cli/gen_run.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_dir.h"

namespace
{

TEST(GenCommand, DefaultsGiveThePageSnippet)
{
    const GenRun r = Gen({"bookmark-us"});
    EXPECT_EQ(r.status, cli::kExitOk);
    EXPECT_EQ(r.out, gen::BookmarkUs({"http://www.example.com", "My cool site"}).TextForm());
    EXPECT_EQ(r.err, "");
}

// Both option forms, empty values and values that look like options are taken verbatim.
struct OptionCase {
    const char* name;
    std::vector<std::string> args;
    gen::BookmarkUsFields expected;
};

class GenOptions : public testing::TestWithParam<OptionCase>
{
};

TEST_P(GenOptions, SplicesValuesVerbatim)
{
    std::vector<std::string> args{"bookmark-us"};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    const GenRun r = Gen(args);
    ASSERT_EQ(r.status, cli::kExitOk) << r.err;
    EXPECT_EQ(r.out, gen::BookmarkUs(GetParam().expected).TextForm());
}

INSTANTIATE_TEST_SUITE_P(
    Forms, GenOptions,
    testing::Values(
        OptionCase{"Separate", {"--url", "u", "--site-name", "n"}, {"u", "n"}},
        OptionCase{"Joined", {"--url=u", "--site-name=n"}, {"u", "n"}},
        OptionCase{"EqualsInValue", {"--url=a=b"}, {"a=b", "My cool site"}},
        OptionCase{"EmptyJoined", {"--url="}, {"", "My cool site"}},
        OptionCase{"EmptySeparate", {"--site-name", ""}, {"http://www.example.com", ""}},
        OptionCase{"DashValue", {"--site-name", "--url"}, {"http://www.example.com", "--url"}},
        OptionCase{"LastWins", {"--url=a", "--url=b"}, {"b", "My cool site"}},
        OptionCase{"Hostile",
                   {"--site-name", " \"q\" 'a' <b>\\ \xC3\xA9 "},
                   {"http://www.example.com", " \"q\" 'a' <b>\\ \xC3\xA9 "}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    std::vector<std::string> args;
    const char* messagePart;
};

class GenRefusals : public testing::TestWithParam<RefusalCase>
{
};

TEST_P(GenRefusals, ExitTwoWithMessageAndNoOutput)
{
    const GenRun r = Gen(GetParam().args);
    EXPECT_EQ(r.status, cli::kExitUsage);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(GetParam().messagePart), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Usage, GenRefusals,
    testing::Values(RefusalCase{"NoArguments", {}, "Usage:"},
                    RefusalCase{"UnknownGadget", {"bookmark"}, "unknown gadget 'bookmark'"},
                    RefusalCase{"UnknownOption", {"bookmark-us", "--title=x"}, "--title"},
                    RefusalCase{"OptionOfOtherGadget", {"break-frames", "--url", "x"}, "--url"},
                    RefusalCase{"MissingValue", {"bookmark-us", "--url"}, "needs a value"},
                    RefusalCase{"MissingOutput", {"bookmark-us", "-o"}, "needs a value"},
                    RefusalCase{"StrayArgument", {"bookmark-us", "extra"}, "'extra'"},
                    RefusalCase{"ListWithMore", {"--list", "extra"}, "--list takes no"},
                    RefusalCase{"HelpWithMore", {"--help", "--list"}, "--help takes no"},
                    RefusalCase{"ShortHelpWithMore", {"-h", "bookmark-us"}, "-h takes no"},
                    RefusalCase{"VersionWithMore", {"--version", "-o", "x"}, "--version takes no"},
                    RefusalCase{"UnknownEdition",
                                {"bookmark-us", "--edition=modern"},
                                "--edition takes classic or today, not 'modern'"},
                    RefusalCase{
                        "EditionWithoutValue", {"bookmark-us", "--edition"}, "needs a value"},
                    RefusalCase{"TodaysEditionRefusesTheSameFields",
                                {"popup-page", "--edition", "today", "--width=5O0"},
                                "\"Width:\" (--width) takes a whole number"},
                    RefusalCase{"FieldNotANumber",
                                {"frameless-popup", "--width=500px"},
                                "\"Width:\" (--width) takes a whole number"},
                    RefusalCase{"FieldNotTrueOrFalse",
                                {"frameless-popup", "--autoclose", "yes"},
                                "\"AutoClose:\" (--autoclose) takes true or false"},
                    RefusalCase{"FieldSecondsNotANumber",
                                {"popup-page", "--seconds=R&D"},
                                "\"Seconds to wait:\" (--seconds)"},
                    RefusalCase{"SecondsPastTheLongestTimer",
                                {"popup-page", "--seconds", "2147484"},
                                "\"Seconds to wait:\" (--seconds) takes a whole number of "
                                "seconds up to 2147483"},
                    RefusalCase{"TodaysSecondsPastTheLongestTimer",
                                {"popup-page", "--edition=today", "--seconds=2147484"},
                                "\"Seconds to wait:\" (--seconds)"},
                    RefusalCase{"FieldEmptyAddress",
                                {"browser-entry", "--other-url="},
                                "\"Netscape goes to -\" (--other-url)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GenCommand, ListAndHelp)
{
    const GenRun list = Gen({"--list"});
    EXPECT_EQ(list.status, cli::kExitOk);
    EXPECT_EQ(list.out.rfind("break-frames  ", 0), 0u) << list.out;
    EXPECT_NE(list.out.find("bookmark-us  "), std::string::npos);
    EXPECT_NE(list.out.find("popup-page  "), std::string::npos);

    const GenRun help = Gen({"bookmark-us", "--help"});
    EXPECT_EQ(help.status, cli::kExitOk);
    EXPECT_NE(help.out.find("--url=VALUE"), std::string::npos);
    EXPECT_NE(help.out.find("[My cool site]"), std::string::npos);

    EXPECT_EQ(Gen({"--help"}).status, cli::kExitOk);
}

// A number field reads any text as its spin box does, and the helps say so instead of
// promising a refusal: every number field's option line tells the rule.
TEST(GenCommand, NumberFieldsTakeAnyTextAsTheSpinBoxReadsIt)
{
    for (const char* width : {"abc", "1e3", "99999999999999999999", "12.5", ""}) {
        const GenRun r = Gen({"logo-branding", "--width", width});
        EXPECT_EQ(r.status, cli::kExitOk) << width << ": " << r.err;
        EXPECT_NE(r.out.find("\r\nimgwidth=0;"), std::string::npos) << width;
    }
    EXPECT_NE(Gen({"logo-branding", "--width=0235"}).out.find("\r\nimgwidth=235;"),
              std::string::npos);
    const std::string usage = Gen({"--help"}).out;
    EXPECT_NE(usage.find("text that is not a whole number gives 0"), std::string::npos) << usage;
    for (const gen::GadgetEntry& g : gen::GadgetTable()) {
        const std::string help = Gen({std::string(g.id), "--help"}).out;
        for (const gen::FieldEntry& f : g.fields) {
            const std::size_t at = help.find("--" + std::string(f.option) + "=VALUE");
            ASSERT_NE(at, std::string::npos) << g.id << " " << f.option;
            const std::string line = help.substr(at, help.find('\n', at) - at);
            EXPECT_EQ(line.find("other text gives 0") != std::string::npos,
                      f.kind == gen::FieldKind::Number)
                << line;
        }
    }
}

// -h is --help wherever --help is taken, never a gadget; --version is one line.
TEST(GenCommand, ShortHelpAndVersion)
{
    const GenRun help = Gen({"--help"});
    const GenRun shortHelp = Gen({"-h"});
    EXPECT_EQ(shortHelp.status, cli::kExitOk);
    EXPECT_EQ(shortHelp.out, help.out);
    for (const gen::GadgetEntry& g : gen::GadgetTable())
        EXPECT_EQ(Gen({std::string(g.id), "-h"}).out, Gen({std::string(g.id), "--help"}).out)
            << g.id;
    const GenRun version = Gen({"--version"});
    EXPECT_EQ(version.status, cli::kExitOk);
    EXPECT_EQ(version.out, options::VersionLine("sitewright-gen"));
}

// Every gadget takes both editions, in both option forms; classic is the default, and the
// edition is applied to the values given on the same command line.
TEST(GenCommand, EditionSwitchForEveryGadget)
{
    for (const gen::GadgetEntry& g : gen::GadgetTable()) {
        const gen::FieldValues values = gen::DefaultValues(g);
        const std::string classic = g.generate(values).TextForm();
        const std::string today = gen::GenerateEdition(g, values, gen::Edition::Today).TextForm();
        const std::string id(g.id);
        EXPECT_EQ(Gen({id}).out, classic) << id;
        EXPECT_EQ(Gen({id, "--edition=classic"}).out, classic) << id;
        const GenRun r = Gen({id, "--edition", "today"});
        EXPECT_EQ(r.status, cli::kExitOk) << id << r.err;
        EXPECT_EQ(r.out, today) << id;
    }
    const gen::GadgetEntry& bookmark = *gen::FindGadget("bookmark-us");
    gen::FieldValues typed = gen::DefaultValues(bookmark);
    typed[0] = "http://a.example/";
    typed[1] = "Joe's \"site\"";
    EXPECT_EQ(
        Gen({"bookmark-us", "--site-name", typed[1], "--edition=today", "--url", typed[0]}).out,
        gen::GenerateEdition(bookmark, typed, gen::Edition::Today).TextForm());
}

// --list gives each gadget's status on its line; GADGET --help gives the whole sentence.
TEST(GenCommand, ListAndHelpTellTheStatus)
{
    const GenRun list = Gen({"--list"});
    std::istringstream lines(list.out);
    std::string line;
    for (const gen::GadgetEntry& g : gen::GadgetTable()) {
        ASSERT_TRUE(std::getline(lines, line)) << g.id;
        const gen::Compatibility& c = g.compatibility;
        EXPECT_EQ(line.rfind(std::string(g.id) + "  ", 0), 0u) << line;
        const std::string status(gen::SupportWord(c.classic));
        EXPECT_EQ(line.substr(line.size() - status.size() - 2), "  " + status) << line;
        const GenRun help = Gen({std::string(g.id), "--help"});
        EXPECT_NE(help.out.find(c.sentence), std::string::npos) << g.id;
        EXPECT_NE(help.out.find("--edition=EDITION"), std::string::npos) << g.id;
    }
    EXPECT_FALSE(std::getline(lines, line)) << line;
}

TEST(GenCommand, OutputFileIsReplacedWithTheTextForm)
{
    TempDir dir;
    const auto file = dir.path() / "out.html";
    WriteBytes(file, "an older and much longer file that must disappear entirely");
    const GenRun r = Gen({"break-frames", "-o", file.string()});
    EXPECT_EQ(r.status, cli::kExitOk);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadBytes(file), gen::BreakFrames().TextForm());
}

TEST(GenCommand, RefusedFieldLeavesTheOutputFileAsItWas)
{
    const TempDir dir;
    const std::filesystem::path file = dir.path() / "out.html";
    WriteBytes(file.string(), "before");
    const GenRun r = Gen({"popup-page", "--height", "600px", "-o", file.string()});
    EXPECT_EQ(r.status, cli::kExitUsage);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadBytes(file.string()), "before");
}

// Only what a writer staged and left behind is cleaned up; a user's file that merely starts
// like a staged one stays.
TEST(GenCommand, OutputLeavesFilesThatLookStagedAlone)
{
    const TempDir dir;
    const std::string notes = dir.Write(".sw~backup", "precious notes\n");
    const std::string older = dir.Write(".sw~Ab12Cd", "more notes\n");
    EXPECT_EQ(Gen({"bookmark-us", "-o", dir.File("out.html")}).status, cli::kExitOk);
    EXPECT_EQ(ReadBytes(notes), "precious notes\n");
    EXPECT_EQ(ReadBytes(older), "more notes\n");
}

TEST(GenCommand, UnwritableOutputIsAFailure)
{
    TempDir dir;
    const std::string file = (dir.path() / "missing" / "out.html").string();
    const GenRun r = Gen({"break-frames", "--output=" + file});
    EXPECT_EQ(r.status, cli::kExitFailure);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Cannot create file \"" + file + "\". "), std::string::npos) << r.err;
}

// By the command-line convention a FIFO is written to as a stream, and a folder is refused.
TEST(GenCommand, OutputToFifoIsStreamedAndToFolderRefused)
{
    TempDir dir;
    const std::string fifo = (dir.path() / "pipe").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // The reader is there first, so the generator's open finds it and nothing waits.
    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(Gen({"break-frames", "-o", fifo}).status, cli::kExitOk);
    std::string got(gen::BreakFrames().TextForm().size() + 1, '\0');
    got.resize(
        static_cast<std::size_t>(std::max<ssize_t>(0, read(reader, got.data(), got.size()))));
    close(reader);
    EXPECT_EQ(got, gen::BreakFrames().TextForm());

    const GenRun folder = Gen({"break-frames", "-o", dir.path().string()});
    EXPECT_EQ(folder.status, cli::kExitFailure);
    EXPECT_NE(folder.err.find("It is a folder, not a regular file."), std::string::npos)
        << folder.err;
}

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

class GenWriteErrors : public testing::TestWithParam<std::vector<std::string>>
{
};

// The snippet, the list and both helps: none may claim success when the text did not arrive.
TEST_P(GenWriteErrors, FailedStandardOutputIsExitOne)
{
    FullBuffer full;
    std::ostream out(&full);
    std::ostringstream err;
    EXPECT_EQ(cli::RunSitewrightGen(GetParam(), out, err), cli::kExitFailure);
    EXPECT_EQ(err.str(), std::string("sitewright-gen: cannot write to standard output: ") +
                             std::strerror(ENOSPC) + "\n");
}

INSTANTIATE_TEST_SUITE_P(Outputs, GenWriteErrors,
                         testing::Values(std::vector<std::string>{"break-frames"},
                                         std::vector<std::string>{"--list"},
                                         std::vector<std::string>{"--help"},
                                         std::vector<std::string>{"bookmark-us", "--help"}));

// The real program: exit status and the bytes of standard output, CR LF included.
TEST(GenProcess, WritesBytesAndExitStatus)
{
    const char* buildDir = std::getenv("SITEWRIGHT_BUILD_DIR");
    if (!buildDir)
        GTEST_SKIP() << "SITEWRIGHT_BUILD_DIR is not set (run through ctest)";
    TempDir dir;
    const std::string program = std::string(buildDir) + "/sitewright-gen";
    const auto out = dir.path() / "stdout";
    const auto run = [&](const std::string& args) {
        const std::string cmd = program + " " + args + " >" + out.string() + " 2>/dev/null";
        return WEXITSTATUS(std::system(cmd.c_str()));
    };
    EXPECT_EQ(run("break-frames"), 0);
    EXPECT_EQ(ReadBytes(out), gen::BreakFrames().TextForm());
    EXPECT_EQ(run("no-such-gadget"), 2);
    EXPECT_EQ(ReadBytes(out), "");

    // Arguments reach the snippet as their bytes, whether or not they are UTF-8.
    EXPECT_EQ(run("bookmark-us --site-name '\xFF\xFE \x80\xC3'"), 0);
    EXPECT_EQ(ReadBytes(out),
              gen::BookmarkUs({"http://www.example.com", "\xFF\xFE \x80\xC3"}).TextForm());
}

// The real standard output on a full device: the library's own buffering must not hide the
// failure behind a success status.
TEST(GenProcess, FullStandardOutputIsExitOne)
{
    const char* buildDir = std::getenv("SITEWRIGHT_BUILD_DIR");
    if (!buildDir)
        GTEST_SKIP() << "SITEWRIGHT_BUILD_DIR is not set (run through ctest)";
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    const std::string program = std::string(buildDir) + "/sitewright-gen";
    for (const char* args : {"break-frames", "--list", "--help", "popup-page --help"}) {
        const std::string cmd = program + " " + args + " >/dev/full 2>/dev/null";
        EXPECT_EQ(WEXITSTATUS(std::system(cmd.c_str())), 1) << args;
    }
}

std::string GenProgram()
{
    const char* buildDir = std::getenv("SITEWRIGHT_BUILD_DIR");
    return buildDir ? std::string(buildDir) + "/sitewright-gen" : std::string();
}

// Runs a shell command line and returns its exit status.
int Shell(const std::string& command)
{
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Every spelling of the caller's standard output writes to the stream, so `>>` keeps what the
// file held; none replaces the file behind it.
TEST(GenProcess, AnySpellingOfStandardOutputAppendsToIt)
{
    const std::string program = GenProgram();
    if (program.empty())
        GTEST_SKIP() << "SITEWRIGHT_BUILD_DIR is not set (run through ctest)";
    const TempDir dir;
    const std::string v = dir.File("v.txt");
    const std::string snippet =
        gen::BookmarkUs({"http://www.example.com", "My cool site"}).TextForm();
    for (const char* spelling :
         {"/dev/stdout", "//dev/stdout", "/dev/./stdout", "/proc/thread-self/fd/1", "/dev/fd/./1",
          "/proc/self/fd/../fd/1"}) {
        WriteBytes(v, "HEAD\n");
        EXPECT_EQ(Shell(program + " bookmark-us -o " + spelling + " >> " + v), 0) << spelling;
        EXPECT_EQ(ReadBytes(v), "HEAD\n" + snippet) << spelling;
    }
}

// A failed standard output says why: a full device, a closed descriptor, a reader that left.
TEST(GenProcess, FailedStandardOutputGivesTheSystemsReason)
{
    const std::string program = GenProgram();
    if (program.empty())
        GTEST_SKIP() << "SITEWRIGHT_BUILD_DIR is not set (run through ctest)";
    const TempDir dir;
    const std::string err = dir.File("err");
    const std::string reason = "sitewright-gen: cannot write to standard output: ";
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_EQ(Shell(program + " bookmark-us >/dev/full 2>" + err), 1);
        EXPECT_EQ(ReadBytes(err), reason + std::strerror(ENOSPC) + "\n");
    }
    EXPECT_EQ(Shell(program + " bookmark-us >&- 2>" + err), 1);
    EXPECT_EQ(ReadBytes(err), reason + std::strerror(EBADF) + "\n");
    EXPECT_EQ(Shell(program + " bookmark-us -o /dev/stdout >&- 2>" + err), 1);
    EXPECT_NE(ReadBytes(err).find(std::strerror(EBADF)), std::string::npos) << ReadBytes(err);

    // The reader is gone before the first write; SIGPIPE ignored, as a caller may have it.
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    close(ends[0]);
    const pid_t pid = fork();
    if (pid == 0) {
        signal(SIGPIPE, SIG_IGN);
        dup2(ends[1], 1);
        const int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(errFd, 2);
        execl(program.c_str(), program.c_str(), "bookmark-us", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ends[1]);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1);
    EXPECT_EQ(ReadBytes(err), reason + std::strerror(EPIPE) + "\n");
}

} // namespace
