// A stamp line must carry any value back whole, stay one comment whatever the values hold, and
// tell a snippet edited by hand from one only re-indented or saved with other line ends.
#include "generators/stamp.h"

#include <gtest/gtest.h>

#include "sitecheck/page_finder.h"
#include "tests/sitecheck/sample_pages.h"

namespace
{

struct Hostile {
    const char* name;
    std::string value;
};

class StampedValue : public testing::TestWithParam<Hostile>
{
};

const gen::GadgetEntry& BookmarkUs()
{
    return *gen::FindGadget("bookmark-us");
}

TEST_P(StampedValue, ComesBackWholeFromTheLineAndFromAPage)
{
    gen::FieldValues values = gen::DefaultValues(BookmarkUs());
    values[0] = "http://www.example.com/";
    values[1] = GetParam().value;
    const gen::CodeBuffer code = gen::StampedEdition(BookmarkUs(), values, gen::Edition::Today);
    const std::string line(code.Line(0));

    // One comment: nothing between its start and its end may close or nest it.
    const std::string inner = line.substr(4, line.size() - 7);
    EXPECT_EQ(inner.find("--"), std::string::npos) << line;
    EXPECT_EQ(inner.find('>'), std::string::npos) << line;
    EXPECT_TRUE(std::all_of(line.begin(), line.end(), [](char c) { return c >= 0x20 && c < 0x7F; }))
        << line;

    const std::optional<gen::Stamp> stamp = gen::ReadStamp(line);
    ASSERT_TRUE(stamp);
    EXPECT_EQ(gen::StampedValues(*stamp), values);

    const std::vector<std::string> lines = code.Lines();
    const std::string page = RealPage({"", "", gen::TextForm(lines)}, {}).text;
    const std::vector<sitecheck::Finding> found = sitecheck::PageFinder(page).Find();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_TRUE(found[0].stamped);
    EXPECT_EQ(found[0].edited, false);
    EXPECT_EQ(found[0].edition, gen::Edition::Today);
    EXPECT_EQ(found[0].values, values);
}

INSTANTIATE_TEST_SUITE_P(
    Values, StampedValue,
    testing::Values(Hostile{"DoubleDash", "a--b"}, Hostile{"CommentEnd", "x --> <!-- y"},
                    Hostile{"Quotes", "\"'`"}, Hostile{"LineBreaks", "one\r\ntwo\nthree\r"},
                    Hostile{"NonAscii", "caf\xC3\xA9 \xE2\x80\xA8 \xF0\x9F\x98\x80"},
                    Hostile{"Percent", "100% %41 %"}, Hostile{"Empty", ""},
                    Hostile{"Blanks", "  two  spaces\t"}, Hostile{"Equals", "a=b c=d lines=1"},
                    Hostile{"StampInside", "<!-- sitewright: 1 x classic -->"},
                    Hostile{"NotUtf8", std::string("\xff\xfe\x00z", 4)}),
    [](const testing::TestParamInfo<Hostile>& info) { return info.param.name; });

TEST(Stamp, EditsChangeTheSumButIndentAndLineEndsDoNot)
{
    const std::vector<std::string> lines =
        gen::GenerateEdition(BookmarkUs(), gen::DefaultValues(BookmarkUs()), gen::Edition::Classic)
            .Lines();
    std::vector<std::string_view> same(lines.begin(), lines.end());
    const std::uint64_t sum = gen::SnippetSum(same);
    std::vector<std::string> moved;
    for (const std::string& l : lines)
        moved.push_back("  " + l + "\r");
    EXPECT_EQ(gen::SnippetSum({moved.begin(), moved.end()}), sum);
    std::vector<std::string> edited = lines;
    edited[lines.size() - 1].insert(2, "x");
    EXPECT_NE(gen::SnippetSum({edited.begin(), edited.end()}), sum);
}

// An edit to the code, or to a value in the stamp alone, which the sum does not cover: either
// way the stamp's values no longer say what the page holds.
TEST(Stamp, AnEditedStampedSnippetIsReportedAsEdited)
{
    const std::string code =
        gen::StampedEdition(BookmarkUs(), gen::DefaultValues(BookmarkUs()), gen::Edition::Classic)
            .TextForm();
    const std::size_t stampEnd = code.find('\n');
    for (const std::size_t from : {code.find("My cool site", stampEnd), code.find("cool")}) {
        ASSERT_NE(from, std::string::npos);
        std::string text = code;
        text.replace(from, 2, "Our");
        const std::vector<sitecheck::Finding> found =
            sitecheck::PageFinder(RealPage({"", "", text}, {}).text).Find();
        ASSERT_EQ(found.size(), 1u);
        EXPECT_TRUE(found[0].stamped);
        EXPECT_EQ(found[0].edited, true) << text.substr(0, stampEnd);
    }
}

// A stamp of no lines stands before no code; an upgrade would put live code where none ran.
TEST(Stamp, AStampOfNoLinesIsNoFinding)
{
    const std::string code =
        gen::StampedEdition(BookmarkUs(), gen::DefaultValues(BookmarkUs()), gen::Edition::Classic)
            .TextForm();
    std::string stamp = code.substr(0, code.find('\n') + 1);
    const std::size_t at = stamp.find(" lines=") + 7;
    stamp.replace(at, stamp.find(' ', at) - at, "0");
    EXPECT_TRUE(sitecheck::PageFinder(RealPage({"", "", stamp}, {}).text).Find().empty());
}

TEST(Stamp, MalformedLinesAreNoStamp)
{
    for (const char* line :
         {"<!-- sitewright: -->", "<!-- sitewright: 2 bookmark-us classic lines=1 sum=0 -->",
          "<!-- sitewright: 1 bookmark-us modern lines=1 sum=0000000000000000 -->",
          "<!-- sitewright: 1 bookmark-us classic lines=x sum=0000000000000000 -->",
          "<!-- sitewright: 1 bookmark-us classic lines=1 sum=0000000000000000 url=%4 -->",
          "<!-- sitewright: 1 bookmark-us classic lines=1 sum=0000000000000000 url=a-b -->"})
        EXPECT_FALSE(gen::ReadStamp(line)) << line;
}

} // namespace
