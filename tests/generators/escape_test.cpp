#include "generators/escape.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

struct EscapeCase {
    const char* name;
    std::string (*escape)(std::string_view);
    std::string text;
    std::string expected;
};

void PrintTo(const EscapeCase& c, std::ostream* os)
{
    *os << c.name;
}

std::string Js2(std::string_view t)
{
    return gen::JsString(t, '"');
}
std::string Js1(std::string_view t)
{
    return gen::JsString(t, '\'');
}
std::string Attr(std::string_view t)
{
    return gen::HtmlAttribute(t);
}
std::string JsInAttr1(std::string_view t)
{
    return gen::JsStringInAttribute(t, '\'');
}
std::string Text(std::string_view t)
{
    return gen::HtmlText(t);
}

// Text that needs nothing in any context: addresses, words, tabs, bytes above 0x7F (UTF-8 or
// not), and the characters that only matter elsewhere.
const std::string kPlain = "http://www.example.com/a/b.html?x=1;y=2#top \tGr\xC3\xBC\xC3\x9F"
                           "e \xE2\x80\x93 \xE6\x97\xA5\xE6\x9C\xAC \xFF\xFE";

class EscapeTest : public testing::TestWithParam<EscapeCase>
{
};

TEST_P(EscapeTest, GivesTheEscapedForm)
{
    const EscapeCase& c = GetParam();
    EXPECT_EQ(c.escape(c.text), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Contexts, EscapeTest,
    testing::Values(
        EscapeCase{"JsDoublePlain", Js2, kPlain + "'>&", kPlain + "'>&"},
        EscapeCase{"JsDoubleEmpty", Js2, "", ""},
        EscapeCase{"JsDoubleQuote", Js2, "say \"hi\"", "say \\\"hi\\\""},
        EscapeCase{"JsDoubleBackslashes", Js2, "C:\\new\\table\\", "C:\\\\new\\\\table\\\\"},
        EscapeCase{"JsDoubleScriptEnd", Js2, "</script><!--", "\\x3C/script>\\x3C!--"},
        EscapeCase{"JsDoubleLineBreaks", Js2, "a\r\nb\nc\rd", "a\\r\\nb\\nc\\rd"},
        EscapeCase{"JsDoubleSeparators", Js2,
                   "a\xE2\x80\xA8"
                   "b\xE2\x80\xA9"
                   "c\xE2\x80\xAA",
                   "a\\u2028b\\u2029c\xE2\x80\xAA"},
        EscapeCase{"JsDoubleControls", Js2, std::string("\x01\x1F\x7F", 3) + '\0',
                   std::string("\\x01\\x1F\x7F\\x00")},
        EscapeCase{"JsSinglePlain", Js1, kPlain + "\"", kPlain + "\""},
        EscapeCase{"JsSingleQuote", Js1, "Joe's \\'", "Joe\\'s \\\\\\'"},
        EscapeCase{"AttrPlain", Attr, kPlain + "'<>\\", kPlain + "'<>\\"},
        EscapeCase{"AttrEmpty", Attr, "", ""},
        EscapeCase{"AttrQuoteAndAmpersands", Attr, "\"a\" & &amp; &#39;",
                   "&quot;a&quot; &amp; &amp;amp; &amp;#39;"},
        EscapeCase{"AttrLineBreaks", Attr, "a\r\nb", "a&#13;&#10;b"},
        EscapeCase{"JsInAttrPlain", JsInAttr1, kPlain, kPlain},
        // The script escape first, then the attribute's: the browser undoes them the other way.
        EscapeCase{"JsInAttrQuotes", JsInAttr1, "it's \"x\" & y", "it\\'s &quot;x&quot; &amp; y"},
        EscapeCase{"JsInAttrBackslashAndBreak", JsInAttr1, "C:\\n\n<b>", "C:\\\\n\\n\\x3Cb>"},
        EscapeCase{"JsInAttrEntityLookalike", JsInAttr1, "&#39;", "&amp;#39;"},
        EscapeCase{"TextPlain", Text, kPlain + "'\"\\", kPlain + "'\"\\"},
        EscapeCase{"TextMarkup", Text, "<b>R&D</b>\n", "&lt;b&gt;R&amp;D&lt;/b&gt;&#10;"}),
    [](const testing::TestParamInfo<EscapeCase>& info) { return std::string(info.param.name); });

TEST(Escape, LongTextKeepsEveryByte)
{
    std::string text;
    while (text.size() < 6000)
        text += "x'\"\\</script>&amp;\xE6\x97\xA5";
    const std::string escaped = gen::JsString(text, '"');
    EXPECT_EQ(escaped.find("</"), std::string::npos);
    // Per 21-byte piece: one more byte each for the quote and the backslash, three for "<".
    EXPECT_EQ(escaped.size(), text.size() + 5 * (text.size() / 21));
}

} // namespace
