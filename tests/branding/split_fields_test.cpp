#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "branding/trailer_text.h"

using branding::SplitFields;

namespace
{

using namespace std::string_literals;
using Fields = std::vector<std::string>;

struct SplitCase {
    const char* label;
    char delimiter;
    std::string text;
    Fields expected;
};

class SplitFieldsRules : public testing::TestWithParam<SplitCase>
{
};

TEST_P(SplitFieldsRules, GivesFields)
{
    Fields list{"left over"};
    SplitFields(GetParam().delimiter, GetParam().text, &list);
    EXPECT_EQ(list, GetParam().expected);
}

const SplitCase kSplitCases[] = {
    {"DeliveredTrailer",
     '|',
     "\"Sitewright\"|\"Visit us\"|\"http://www.example.com/ \"\r\n",
     {"Sitewright", "Visit us", "http://www.example.com/ "}},
    {"TwoFields", '|', "\"a\"|\"b\"\r\n", {"a", "b"}},
    {"FourFieldsKept", '|', "a|b|c|d", {"a", "b", "c", "d"}},
    {"EmptyText", '|', "", {}},
    {"OnlyBlanksAndLineEnd", '|', "  \r\n", {}},
    {"BlanksInsideQuotesKept", '|', "\"  a b  \"|x", {"  a b  ", "x"}},
    {"DelimiterInsideQuotes", '|', "\"a|b\"|c", {"a|b", "c"}},
    {"DoubledQuotes", '|', "\"say \"\"hi\"\"\"|\"\"\"\"", {"say \"hi\"", "\""}},
    {"EmptyQuotedField", '|', "\"\"|b", {"", "b"}},
    {"UnquotedFieldEndsAtBlank", '|', "two words|x", {"two", "words", "x"}},
    {"BlanksAroundDelimiter", '|', " a \t| b ", {"a", "b"}},
    {"TwoDelimitersGiveEmptyField", '|', "a||b", {"a", "", "b"}},
    {"TrailingDelimiterGivesEmptyField", '|', "a|", {"a", ""}},
    {"LoneDelimiter", '|', "|", {"", ""}},
    {"DelimiterThenBlankAtEnd", '|', "a| ", {"a"}},
    {"SecondLineContinues", '|', "\"a\"|\"b\"\r\n\"c\"\r\n", {"a", "b", "c"}},
    {"ZeroByteEndsText", '|', "a|b\0|c"s, {"a", "b"}},
    {"ZeroByteInsideQuotes", '|', "\"a\0b\"|c"s, {"a"}},
    {"UnclosedQuoteKeepsRest", '|', "\"a|b c", {"a|b c"}},
    {"TextAfterClosingQuoteStartsField", '|', "\"a\"b|c", {"a", "b", "c"}},
    {"OtherDelimiter", ',', "a,\"b|c\",d", {"a", "b|c", "d"}},
    {"HighBytesKept", '|', "\xE9t\xE9|\xB6", {"\xE9t\xE9", "\xB6"}},
};

INSTANTIATE_TEST_SUITE_P(Texts, SplitFieldsRules, testing::ValuesIn(kSplitCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(SplitFields, MissingListIsAnAssertionFailure)
{
    try {
        SplitFields('|', "a|b", nullptr);
        FAIL() << "no error";
    } catch (const branding::AssertionFailure& error) {
        EXPECT_STREQ(error.what(), "Assertion failure");
    }
}

class QuoteFieldRoundTrip : public testing::TestWithParam<std::string>
{
};

TEST_P(QuoteFieldRoundTrip, SplitsBackToTheField)
{
    const std::string text =
        branding::QuoteField(GetParam()) + "|" + branding::QuoteField(GetParam()) + "\r\n";
    Fields list;
    SplitFields('|', text, &list);
    EXPECT_EQ(list, (Fields{GetParam(), GetParam()}));
}

INSTANTIATE_TEST_SUITE_P(Fields, QuoteFieldRoundTrip,
                         testing::Values("", " ", "plain", "with blank ", "\"quoted\"", "a|b",
                                         "\"\"", "\ttab", "\xB6\xE9"));

TEST(QuoteField, RefusesWhatTheLineRulesWouldChange)
{
    for (const std::string& bad : {"a\rb"s, "a\nb"s, "a\0b"s, "\r\n"s})
        EXPECT_THROW(branding::QuoteField(bad), std::invalid_argument) << bad.size();
}

TEST(NormalizeLines, FollowsLineRules)
{
    using branding::NormalizeLines;
    EXPECT_EQ(NormalizeLines(""), "");
    EXPECT_EQ(NormalizeLines("a"), "a\r\n");
    EXPECT_EQ(NormalizeLines("a\r\n"), "a\r\n");
    EXPECT_EQ(NormalizeLines("a\rb\nc\r\nd"), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(NormalizeLines("\n\r"), "\r\n\r\n");
    EXPECT_EQ(NormalizeLines("a\r\n\r\n"), "a\r\n\r\n");
    EXPECT_EQ(NormalizeLines("ab\0cd\r\n"s), "ab\r\n");
    EXPECT_EQ(NormalizeLines("\0abc"s), "");
}

} // namespace
