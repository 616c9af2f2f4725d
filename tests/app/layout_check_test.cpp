#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/page_layout.h"
#include "generators/gadget_table.h"
#include "tests/app/layout_check.h"

namespace
{

using Table = std::vector<gen::GadgetEntry>;
using Layouts = std::vector<pages::PageLayout>;

std::string Joined(const std::vector<std::string>& problems)
{
    std::string text;
    for (const std::string& p : problems)
        text += p + "\n";
    return text;
}

TEST(LayoutCheck, EveryFieldOfTheProgramHasAPlaceAndEveryPlaceAField)
{
    EXPECT_EQ(Joined(pages::LayoutProblems(gen::GadgetTable(), pages::PageLayouts())), "");
}

// A page layout edited out of step with the table, and the sentence that must say so.
struct Breakage {
    const char* name;
    std::function<void(Table&, Layouts&)> edit;
    const char* says;
};

class LayoutBreakage : public testing::TestWithParam<Breakage>
{
};

TEST_P(LayoutBreakage, IsNamed)
{
    Table table = gen::GadgetTable();
    Layouts layouts = pages::PageLayouts();
    GetParam().edit(table, layouts);
    const std::string problems = Joined(pages::LayoutProblems(table, layouts));
    EXPECT_NE(problems.find(GetParam().says), std::string::npos) << problems;
}

pages::PageLayout& LayoutWithFields(Layouts& layouts)
{
    for (pages::PageLayout& layout : layouts)
        if (layout.fields.size() > 1 && !layout.tabOrder.empty())
            return layout;
    throw std::logic_error("no page with several fields and a tab order");
}

gen::GadgetEntry& GadgetOf(Table& table, const pages::PageLayout& layout)
{
    for (gen::GadgetEntry& gadget : table)
        if (gadget.id == layout.gadget)
            return gadget;
    throw std::logic_error("no gadget for the layout");
}

INSTANTIATE_TEST_SUITE_P(
    Edits, LayoutBreakage,
    testing::Values(
        Breakage{"GadgetWithoutLayout",
                 [](Table& t, Layouts&) { t.push_back({.id = "countdown"}); },
                 "No page layout for countdown"},
        Breakage{"LayoutWithoutGadget", [](Table& t, Layouts&) { t.erase(t.begin()); },
                 "has no gadget"},
        Breakage{"FieldWithoutPlace",
                 [](Table& t, Layouts& l) {
                     GadgetOf(t, LayoutWithFields(l))
                         .fields.push_back({"extra", "", gen::FieldKind::Text, "X:"});
                 },
                 "places --extra 0 times"},
        Breakage{
            "PlaceWithoutField",
            [](Table&, Layouts& l) {
                LayoutWithFields(l).fields.push_back({"gone", "EditGone", {}, "LabelGone", {}});
            },
            "places --gone, no field"},
        Breakage{"FieldPlacedTwice",
                 [](Table&, Layouts& l) {
                     pages::PageLayout& layout = LayoutWithFields(l);
                     layout.fields.push_back(layout.fields.front());
                     layout.fields.back().name = "EditAgain";
                     layout.fields.back().captionName = "LabelAgain";
                 },
                 "2 times"},
        Breakage{"StrayTabStop",
                 [](Table&, Layouts& l) { LayoutWithFields(l).tabOrder.push_back("gone"); },
                 "stray tab stop --gone"},
        Breakage{"FieldLeftOutOfTabOrder",
                 [](Table&, Layouts& l) { LayoutWithFields(l).tabOrder.pop_back(); },
                 "leaves fields out of its tab order"},
        Breakage{"NameGivenTwice",
                 [](Table&, Layouts& l) { l.back().menuLine = l.front().menuLine; },
                 "is given twice"},
        Breakage{
            "ControlNameGivenTwice",
            [](Table&, Layouts& l) { l.back().fields.back().name = l.front().fields.front().name; },
            "is given twice"},
        Breakage{"TwoLayoutsForAGadget", [](Table&, Layouts& l) { l.push_back(l.front()); },
                 "Two page layouts for"}),
    [](const testing::TestParamInfo<Breakage>& info) { return std::string(info.param.name); });

} // namespace
