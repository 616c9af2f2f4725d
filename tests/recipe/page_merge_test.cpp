#include <gtest/gtest.h>

#include "recipe/page_merge.h"

namespace
{

using recipe::PageState;

recipe::Recipe Site()
{
    return recipe::ParseRecipe(
        "{\"format\": 1, \"snippets\": ["
        "{\"gadget\": \"popup-page\", \"edition\": \"today\", \"values\": {\"seconds\": \"007\"}},"
        "{\"gadget\": \"popup-page\", \"values\": {\"width\": \"1\"}},"
        "{\"gadget\": \"bookmark-us\", \"edition\": \"classic\"}]}");
}

std::size_t Index(std::string_view gadget)
{
    const std::vector<gen::GadgetEntry>& table = gen::GadgetTable();
    for (std::size_t g = 0; g < table.size(); ++g)
        if (table[g].id == gadget)
            return g;
    throw std::logic_error("no gadget");
}

void SetField(PageState& state, std::string_view gadget, std::string_view option,
              const std::string& text)
{
    const gen::GadgetEntry& shown = *gen::FindGadget(gadget);
    for (std::size_t i = 0; i < shown.fields.size(); ++i)
        if (shown.fields[i].option == option)
            state.values[Index(gadget)][i] = text;
}

TEST(PageMerge, PagesShowEachGadgetsFirstEntryAndItsEdition)
{
    const PageState shown = recipe::PagesOf(Site(), gen::Edition::Classic);
    EXPECT_EQ(shown.edition, gen::Edition::Today);
    PageState expected = recipe::PagesOf(recipe::Recipe{}, gen::Edition::Today);
    SetField(expected, "popup-page", "seconds", "007");
    EXPECT_EQ(shown.values, expected.values);
}

// Unchanged pages change nothing, not even the spelling of a value the page shows otherwise.
TEST(PageMerge, UnchangedPagesKeepTheRecipeByteForByte)
{
    const recipe::Recipe site = Site();
    PageState shown = recipe::PagesOf(site, gen::Edition::Classic);
    SetField(shown, "popup-page", "seconds", "7"); // as a number field would read it back
    EXPECT_EQ(recipe::WriteRecipe(recipe::MergePages(site, shown, shown, false)),
              recipe::WriteRecipe(site));
}

TEST(PageMerge, ChangesGoToTheFirstEntriesAndNewPagesAreAppended)
{
    const recipe::Recipe site = Site();
    const PageState shown = recipe::PagesOf(site, gen::Edition::Classic);
    PageState current = shown;
    SetField(current, "popup-page", "width", "640");
    SetField(current, "set-homepage", "url", "x");
    current.edition = gen::Edition::Classic;
    const recipe::Recipe merged = recipe::MergePages(site, shown, current, false);
    ASSERT_EQ(merged.snippets.size(), 4u);
    EXPECT_EQ(*merged.snippets[0].Value("width"), "640");
    EXPECT_EQ(*merged.snippets[0].Value("seconds"), "007");
    EXPECT_EQ(merged.snippets[0].edition, gen::Edition::Classic);
    EXPECT_EQ(*merged.snippets[1].Value("width"), "1"); // not a page's entry
    EXPECT_EQ(merged.snippets[3].gadget, "set-homepage");
    EXPECT_EQ(merged.snippets[3].values.size(), 1u);
}

TEST(PageMerge, AFreshRecipeHoldsEveryPage)
{
    const PageState defaults = recipe::PagesOf(recipe::Recipe{}, gen::Edition::Today);
    const recipe::Recipe made = recipe::MergePages({}, defaults, defaults, true);
    ASSERT_EQ(made.snippets.size(), gen::GadgetTable().size());
    for (std::size_t g = 0; g < made.snippets.size(); ++g) {
        EXPECT_EQ(made.snippets[g].gadget, gen::GadgetTable()[g].id);
        EXPECT_TRUE(made.snippets[g].values.empty());
        EXPECT_EQ(made.snippets[g].edition, gen::Edition::Today);
    }
}

} // namespace
