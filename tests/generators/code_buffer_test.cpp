#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "generators/code_buffer.h"

namespace
{

struct LinesCase {
    const char* name;
    std::vector<std::string> lines;
};

class CodeBufferTextForm : public testing::TestWithParam<LinesCase>
{
};

TEST_P(CodeBufferTextForm, EveryLineEndsInCrLfTheLastIncluded)
{
    const std::vector<std::string>& lines = GetParam().lines;
    gen::CodeBuffer buffer;
    for (const std::string& line : lines)
        buffer.Append(line);

    std::string expected;
    for (const std::string& line : lines)
        expected += line + "\r\n";
    EXPECT_EQ(buffer.TextForm(), expected);
    EXPECT_EQ(gen::TextForm(lines), expected);
    ASSERT_EQ(buffer.Count(), lines.size());
    EXPECT_EQ(buffer.Lines(), lines);
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(buffer.Line(i), lines[i]) << "line " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CodeBufferTextForm,
    testing::Values(LinesCase{"NoLine", {}}, LinesCase{"OneEmptyLine", {""}},
                    LinesCase{"OnlyEmptyLines", {"", "", ""}},
                    LinesCase{"EmptyFirstAndLast", {"", "a", ""}},
                    LinesCase{"Blanks", {"  ", " x "}},
                    LinesCase{"QuotesAndBackslashes", {"\"'\\", "<a href=\"x\">"}},
                    LinesCase{"Utf8", {"caf\xC3\xA9", "\xC2\xA0"}}),
    [](const testing::TestParamInfo<LinesCase>& info) { return std::string(info.param.name); });

TEST(CodeBuffer, SpliceJoinsPartsIntoOneLine)
{
    gen::CodeBuffer buffer;
    buffer.Splice({"var url=\"", "", "\";"});
    buffer.Splice({"a", "b", "c"});
    ASSERT_EQ(buffer.Count(), 2u);
    EXPECT_EQ(buffer.Line(0), "var url=\"\";");
    EXPECT_EQ(buffer.TextForm(), "var url=\"\";\r\nabc\r\n");
}

TEST(CodeBuffer, ClearLeavesNothingBehind)
{
    gen::CodeBuffer buffer;
    buffer.AppendLines({"one", "two"});
    buffer.Clear();
    buffer.Append("three");
    EXPECT_EQ(buffer.Count(), 1u);
    EXPECT_EQ(buffer.TextForm(), "three\r\n");
}

} // namespace
