#include "platform/quoted_name.h"

#include <gtest/gtest.h>

#include <string>

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

} // namespace
