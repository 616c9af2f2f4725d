// Pages made to cost the finder far more than their size: deep nesting, tags the parser keeps
// open, thousands of snippets and stamps claiming more lines than the page holds. Each is read
// in time linear in its size; at 4 MB a cost growing with the square of the size would take
// many minutes.
#include <gtest/gtest.h>

#include "generators/edition.h"
#include "generators/stamp.h"
#include "sitecheck/page_finder.h"

namespace
{

constexpr std::size_t kPage = 4u << 20;

const gen::GadgetEntry& Gadget()
{
    return *gen::FindGadget("bookmark-us");
}

std::string Classic()
{
    return gen::GenerateEdition(Gadget(), gen::DefaultValues(Gadget()), gen::Edition::Classic)
        .TextForm();
}

std::string Stamped()
{
    return gen::StampedEdition(Gadget(), gen::DefaultValues(Gadget()), gen::Edition::Classic)
        .TextForm();
}

// A stamp line claiming four billion lines below it.
std::string Claim()
{
    std::string stamp = Stamped().substr(0, Stamped().find('\n') + 1);
    const std::size_t at = stamp.find(" lines=") + 7;
    return stamp.replace(at, stamp.find(' ', at) - at, "4000000000");
}

std::string Repeated(const std::string& unit, std::size_t size)
{
    std::string out;
    while (out.size() + unit.size() <= size)
        out += unit;
    return out;
}

struct Hostile {
    const char* name;
    std::string unit;  // repeated to fill the page
    bool snippetFirst; // one classic snippet before the repeats
    bool stamped;      // every unit is one stamped finding
};

class HostilePage : public testing::TestWithParam<Hostile>
{
};

// Formatting elements left open in a paragraph, each with its own attributes, which the parser
// copies into every paragraph after it (150 KB would take it seconds and 2 GB); the page is
// small enough to be parsed otherwise.
std::string OpenFormatting()
{
    std::string out;
    for (int i = 0; i < 200; ++i)
        out += "<b id=" + std::to_string(i) + ">";
    return out;
}

TEST(HostilePages, ReopenedFormattingIsNotParsed)
{
    std::string page = Classic() + "<p>" + OpenFormatting() + "</p>";
    page += Repeated("<p>x\n", 150000);
    EXPECT_TRUE(sitecheck::PageStructure(page).Shallow());
    EXPECT_EQ(sitecheck::PageFinder(page).Find().size(), 1u);
}

TEST_P(HostilePage, IsReadInLinearTime)
{
    const Hostile& h = GetParam();
    const std::string first = h.snippetFirst ? Classic() : std::string();
    const std::string page = first + Repeated(h.unit, kPage - first.size());
    const std::vector<sitecheck::Finding> found = sitecheck::PageFinder(page).Find();

    const std::vector<sitecheck::Finding> alone =
        sitecheck::PageFinder(h.snippetFirst ? first : h.unit).Find();
    ASSERT_EQ(alone.size(), 1u);
    const std::size_t units = (kPage - first.size()) / h.unit.size();
    const auto unitLines = static_cast<std::size_t>(std::count(h.unit.begin(), h.unit.end(), '\n'));
    ASSERT_EQ(found.size(), h.snippetFirst ? 1u : units);
    EXPECT_EQ(found.back().line, alone[0].line + (h.snippetFirst ? 0 : (units - 1) * unitLines));
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].stamped, h.stamped);
        // A stamp's lines end where the next stamp begins: no two findings share a byte.
        if (i + 1 < found.size()) {
            ASSERT_LE(found[i].spots.back().range.end, found[i + 1].spots.front().range.begin);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pages, HostilePage,
    testing::Values(Hostile{"UnclosedDivs", "<div>", true, false},
                    Hostile{"UnclosedBold", "<b>", true, false},
                    Hostile{"Anchors", "<a>", true, false},
                    Hostile{"DivsWithStrayEndTags", "<div></span>\n", true, false},
                    Hostile{"ClassicSnippets", Classic(), false, false},
                    Hostile{"StampedSnippets", Stamped(), false, true},
                    Hostile{"StampsClaimingHugeCounts", Claim(), false, true}),
    [](const testing::TestParamInfo<Hostile>& info) { return std::string(info.param.name); });

} // namespace
