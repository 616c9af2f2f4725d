#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "generators/bookmark_us.h"
#include "generators/escape.h"
#include "generators/gadget_table.h"

namespace
{

// The lines that hold no field, by position (0-based); 10 and 11 are the spliced ones.
const std::vector<std::pair<std::size_t, std::string>> kFixedLines = {
    {0, "<!-- ONE STEP TO INSTALL BOOKMARK US:"},
    {1, ""},
    {2, "  1.  Copy the coding into the BODY of your HTML document  -->"},
    {3, ""},
    {4, "<!-- STEP ONE: Paste this code into the BODY of your HTML document  -->"},
    {5, ""},
    {6, "<SCRIPT LANGUAGE=\"JavaScript\">"},
    {7, "<!-- Begin"},
    {9, ""},
    {12, ""},
    {20, "}"},
    {21, "else {"},
    {25, "}"},
    {26, ""},
    {27, "// End -->"},
    {28, "</script>"},
};

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

TEST(BookmarkUs, FixedLinesAreExact)
{
    const std::vector<std::string> lines = gen::BookmarkUs({"u", "t"}).Lines();
    ASSERT_EQ(lines.size(), 29u);
    for (const auto& [index, text] : kFixedLines)
        EXPECT_EQ(lines[index], text) << "line " << index + 1;
}

TEST(BookmarkUs, ScriptLinesDoWhatTheyMust)
{
    const std::vector<std::string> lines = gen::BookmarkUs({"u", "t"}).Lines();
    EXPECT_NE(lines[8].find("navigator.appName == \"Microsoft Internet Explorer\""),
              std::string::npos);
    EXPECT_NE(lines[8].find("parseInt(navigator.appVersion) >= 4"), std::string::npos);
    EXPECT_EQ(lines[8].back(), '{');
    EXPECT_NE(lines[22].find("\"Don't forget to bookmark us!\""), std::string::npos);
    EXPECT_NE(lines[23].find("navigator.appName == \"Netscape\""), std::string::npos);
    EXPECT_NE(lines[23].find("\"  (CTRL-D)\""), std::string::npos);
    EXPECT_EQ(lines[24], "document.write(msg);");
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
    ASSERT_EQ(lines.size(), 29u);
    EXPECT_EQ(lines[10], "var url=\"" + gen::JsString(c.url, '"') + "\";");
    EXPECT_EQ(lines[11], "var title=\"" + gen::JsString(c.siteName, '"') + "\";");

    // No other line depends on the fields.
    std::vector<std::string> others = lines;
    std::vector<std::string> reference = gen::BookmarkUs({"x", "y"}).Lines();
    others.erase(others.begin() + 10, others.begin() + 12);
    reference.erase(reference.begin() + 10, reference.begin() + 12);
    EXPECT_EQ(others, reference);

    // The page runs the generator through the gadget table, fields in table order.
    const gen::GadgetSpec* gadget = gen::FindGadget("bookmark-us");
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

TEST(BookmarkUs, EmptyAddressLineIsPrefixThenSuffix)
{
    const std::string line = gen::BookmarkUs({"", "t"}).Lines()[10];
    EXPECT_EQ(line, "var url=\"\";");
    EXPECT_EQ(line.size(), 9u + 2u);
}

TEST(BookmarkUs, GadgetTableDefaultsAreThePageDefaults)
{
    const gen::GadgetSpec* gadget = gen::FindGadget("bookmark-us");
    ASSERT_NE(gadget, nullptr);
    ASSERT_EQ(gadget->fields.size(), 2u);
    EXPECT_EQ(gadget->fields[0].component, "Edit1");
    EXPECT_EQ(gadget->fields[1].component, "Edit2");
    EXPECT_EQ(gadget->fields[1].defaultText, "My cool site");
    const std::vector<std::string> lines = gadget->generate(gen::DefaultValues(*gadget)).Lines();
    EXPECT_EQ(lines[11], "var title=\"My cool site\";");
}

} // namespace
