#include "platform/quoted_name.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/support/temp_dir.h"

namespace
{

struct QuotedCase {
    const char* name;
    std::string plain;
    std::string quoted;
};

class QuotedNameTest : public testing::TestWithParam<QuotedCase>
{
};

// The quoted form is one line, and different names never give the same text.
TEST_P(QuotedNameTest, StaysOnOneLineAndReadsBackExactly)
{
    const std::string quoted = platform::QuotedName(GetParam().plain);
    EXPECT_EQ(quoted, GetParam().quoted);
    EXPECT_EQ(quoted.find_first_of("\n\r"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Names, QuotedNameTest,
    testing::Values(QuotedCase{"Ordinary", "/tmp/page.html", "\"/tmp/page.html\""},
                    QuotedCase{"Empty", "", "\"\""},
                    QuotedCase{"Utf8AndBlanks", "caf\xC3\xA9 menu", "\"caf\xC3\xA9 menu\""},
                    QuotedCase{"LineBreak", "a\nb", "\"a\\nb\""},
                    QuotedCase{"CarriageReturnAndTab", "a\rb\tc", "\"a\\rb\\tc\""},
                    QuotedCase{"Quote", "say \"hi\"", "\"say \\\"hi\\\"\""},
                    // A backslash is doubled, so a name holding backslash-n is not a line break.
                    QuotedCase{"BackslashN", "a\\nb", "\"a\\\\nb\""},
                    QuotedCase{"OtherControls", std::string("a\0b\x1B\x7F", 5),
                               "\"a\\x00b\\x1B\\x7F\""}),
    [](const auto& info) { return std::string(info.param.name); });

class ShellQuotedNameTest : public testing::TestWithParam<QuotedCase>
{
};

// Only a name that would break a line, reach the terminal as a control or is not UTF-8 is
// quoted, and the shell reads the quoted form back as the same bytes.
TEST_P(ShellQuotedNameTest, IsOneLineTheShellReadsBack)
{
    const std::string quoted = platform::ShellQuotedName(GetParam().plain);
    EXPECT_EQ(quoted, GetParam().quoted);
    for (const char c : quoted)
        EXPECT_GE(static_cast<unsigned char>(c), 0x20) << quoted;
    const TempDir dir;
    const std::string script = dir.Write("print.sh", "printf %s " + quoted);
    FILE* shell = popen(("bash " + script).c_str(), "r");
    ASSERT_NE(shell, nullptr);
    std::string back;
    for (int c = std::fgetc(shell); c != EOF; c = std::fgetc(shell))
        back += static_cast<char>(c);
    pclose(shell);
    EXPECT_EQ(back, GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ShellQuotedNameTest,
    testing::Values(QuotedCase{"Ordinary", "/tmp/page.html", "/tmp/page.html"},
                    QuotedCase{"Utf8", "caf\xC3\xA9.html", "caf\xC3\xA9.html"},
                    QuotedCase{"Latin1", "caf\xE9.html", "'caf'$'\\351''.html'"},
                    QuotedCase{"LineBreak", "a\nb.html", "'a'$'\\n''b.html'"},
                    QuotedCase{"QuoteAndTab", "it's\t", "'it'\\''s'$'\\t'"},
                    QuotedCase{"EscapeSequence", "\x1B[31mred", "$'\\033''[31mred'"},
                    QuotedCase{"C1Control", "a\xC2\x85", "'a'$'\\302\\205'"},
                    QuotedCase{"OverlongSlash", "\xC0\xAF", "$'\\300\\257'"},
                    QuotedCase{"Surrogate", "\xED\xA0\x80", "$'\\355\\240\\200'"},
                    QuotedCase{"CutShort", "\xE2\x82", "$'\\342\\202'"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
