#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "generators/bookmark_us.h"
#include "generators/escape.h"
#include "generators/gadget_table.h"
#include "tests/support/golden_file.h"

namespace
{

// The argument of a one-line document.write call, and the quote it is written in.
std::string WrittenText(const std::string& line, char& quote)
{
    const std::string open = "document.write(";
    EXPECT_EQ(line.rfind(open, 0), 0u) << line;
    EXPECT_EQ(line.substr(line.size() - 2), ");") << line;
    quote = line[open.size()];
    EXPECT_EQ(line[line.size() - 3], quote) << line;
    return line.substr(open.size() + 1, line.size() - open.size() - 4);
}

TEST(BookmarkUs, SevenWritesFormOneFavouritesLink)
{
    const std::vector<std::string> lines = gen::BookmarkUs({"u", "t"}).Lines();
    const char quotes[] = {'\'', '\'', '\'', '"', '\'', '"', '\''};
    std::string link;
    for (std::size_t i = 0; i < 7; ++i) {
        char quote = 0;
        link += WrittenText(lines[13 + i], quote);
        EXPECT_EQ(quote, quotes[i]) << "line " << 14 + i;
    }
    EXPECT_EQ(link, "<A HREF=\"javascript:window.external.AddFavorite(url,title);\" "
                    "onMouseOver=\" window.status='Add our site to your favorites!'; return "
                    "true \"onMouseOut=\" window.status=' '; return true \">Add our site to your "
                    "favorites!</a>");
    char quote = 0;
    EXPECT_EQ(WrittenText(lines[13], quote), "<A HREF=\"javascript:window.ext");
    EXPECT_EQ(WrittenText(lines[14], quote).rfind("ernal.AddFavorite(url,title);", 0), 0u);
}

struct FieldsCase {
    const char* name;
    std::string url;
    std::string siteName;
};

class BookmarkUsFields : public testing::TestWithParam<FieldsCase>
{
};

TEST_P(BookmarkUsFields, SplicesBothFieldsAsScriptStrings)
{
    const FieldsCase& c = GetParam();
    const std::vector<std::string> lines = gen::BookmarkUs({c.url, c.siteName}).Lines();

    // Lines 11 and 12 take the fields, escaped for the script strings they land in; no other
    // line depends on them.
    std::vector<std::string> expected = GoldenLines("bookmark-us");
    expected[10] = WithFieldText(expected[10], "http://www.example.com", gen::JsString(c.url, '"'));
    expected[11] = WithFieldText(expected[11], "My cool site", gen::JsString(c.siteName, '"'));
    EXPECT_EQ(lines, expected);

    // The page runs the generator through the gadget table, fields in table order.
    const gen::GadgetEntry* gadget = gen::FindGadget("bookmark-us");
    ASSERT_NE(gadget, nullptr);
    EXPECT_EQ(gadget->generate({c.url, c.siteName}).Lines(), lines);
}

INSTANTIATE_TEST_SUITE_P(
    Values, BookmarkUsFields,
    testing::Values(FieldsCase{"Defaults", "http://www.example.com", "My cool site"},
                    FieldsCase{"Empty", "", ""},
                    FieldsCase{"DoubleQuote", "http://a.example/\"", "My \"cool\" site"},
                    FieldsCase{"Apostrophe", "http://a.example/'x'", "Joe's site"},
                    FieldsCase{"BlankPadded", "  http://a.example  ", " site "},
                    FieldsCase{"Backslash", "c:\\web\\", "a\\\"b"}),
    [](const testing::TestParamInfo<FieldsCase>& info) { return std::string(info.param.name); });

TEST(BookmarkUs, GadgetTableDefaultsAreThePageDefaults)
{
    const gen::GadgetEntry* gadget = gen::FindGadget("bookmark-us");
    ASSERT_NE(gadget, nullptr);
    ASSERT_GE(gadget->fields.size(), 2u);
    EXPECT_EQ(gadget->fields[1].defaultText, "My cool site");
    EXPECT_EQ(gadget->generate(gen::DefaultValues(*gadget)).Lines(), GoldenLines("bookmark-us"));
}

} // namespace
