// An upgrade replaces each snippet that does not fully work by its today's edition, with the
// same values, and leaves every byte around the snippet's pieces as it was.
#include "sitecheck/page_upgrade.h"

#include <gtest/gtest.h>

#include "generators/compatibility.h"
#include "generators/stamp.h"
#include "sitecheck/unified_diff.h"
#include "tests/sitecheck/sample_pages.h"

namespace
{

std::vector<const gen::GadgetEntry*> Upgradable()
{
    std::vector<const gen::GadgetEntry*> out;
    for (const gen::GadgetEntry& g : gen::GadgetTable())
        if (g.compatibility.classic != gen::Support::Works && gen::HasOwnTodaysEdition(g))
            out.push_back(&g);
    return out;
}

class UpgradeInPage : public testing::TestWithParam<const gen::GadgetEntry*>
{
};

TEST_P(UpgradeInPage, TodaysEditionReplacesThePiecesAndNothingElse)
{
    const gen::GadgetEntry& g = *GetParam();
    const gen::FieldValues values = AwkwardValues(g);
    const SnippetPieces pieces =
        PiecesOf(gen::GenerateEdition(g, values, gen::Edition::Classic).Lines());
    const std::string page = RealPage(pieces, {"if (window != top) top.location.href;"}).text;
    const std::size_t head = page.find(pieces.head), body = page.rfind(pieces.body);
    const std::size_t tag = page.find("<body class=\"shop\"");
    const std::string beforeHead = page.substr(0, head);
    const std::string betweenTags =
        page.substr(head + pieces.head.size(), tag + 18 - head - pieces.head.size()) +
        page.substr(tag + 18 + pieces.bodyTagAttr.size(),
                    body - tag - 18 - pieces.bodyTagAttr.size());
    const std::string afterBody = page.substr(body + pieces.body.size());

    const std::vector<sitecheck::Finding> found = sitecheck::PageFinder(page).Find();
    const sitecheck::PageUpgrade u = sitecheck::UpgradePage(page, found);

    EXPECT_EQ(u.upgraded, 1u);
    EXPECT_TRUE(u.leftAlone.empty());
    EXPECT_EQ(u.page.substr(0, beforeHead.size()), beforeHead);
    EXPECT_NE(u.page.find(betweenTags), std::string::npos) << u.page;
    EXPECT_EQ(u.page.substr(u.page.size() - afterBody.size()), afterBody);
    for (const std::string& line : gen::GenerateEdition(g, values, gen::Edition::Today).Lines())
        EXPECT_NE(u.page.find(line), std::string::npos) << line;
    // The upgraded snippet is found again, as its today's edition with the same values.
    const std::vector<sitecheck::Finding> after = sitecheck::PageFinder(u.page).Find();
    ASSERT_EQ(after.size(), 1u) << u.page;
    EXPECT_EQ(after[0].gadget, &g);
    EXPECT_EQ(after[0].edition, gen::Edition::Today);
    EXPECT_EQ(after[0].values, CarriedValues(g, values, gen::Edition::Today));

    const std::string diff = sitecheck::UnifiedDiff(page, u.edits, "page.html");
    EXPECT_EQ(diff.rfind("--- page.html\n+++ page.html\n@@ -", 0), 0u) << diff;
}

INSTANTIATE_TEST_SUITE_P(EveryGadget, UpgradeInPage, testing::ValuesIn(Upgradable()),
                         [](const testing::TestParamInfo<const gen::GadgetEntry*>& info) {
                             std::string id(info.param->id);
                             std::replace(id.begin(), id.end(), '-', '_');
                             return id;
                         });

// What the upgrade must not touch: a working snippet, one edited since its stamp, and one
// only partly there.
TEST(PageUpgrade, LeavesAloneWhatItMustNotReplace)
{
    const gen::GadgetEntry& popup = *gen::FindGadget("popup-page");
    SnippetPieces partial = PiecesOf(
        gen::GenerateEdition(popup, gen::DefaultValues(popup), gen::Edition::Classic).Lines());
    partial.bodyTagAttr.clear();
    const gen::GadgetEntry& bookmark = *gen::FindGadget("bookmark-us");
    std::string stamped =
        gen::StampedEdition(bookmark, gen::DefaultValues(bookmark), gen::Edition::Classic)
            .TextForm();
    stamped.replace(stamped.find("My cool"), 2, "Your");
    const gen::GadgetEntry& search = *gen::FindGadget("metasearch");
    partial.body += stamped + gen::GenerateEdition(search, {}, gen::Edition::Classic).TextForm();
    const std::string page = RealPage(partial, {}).text;

    const std::vector<sitecheck::Finding> found = sitecheck::PageFinder(page).Find();
    const sitecheck::PageUpgrade u = sitecheck::UpgradePage(page, found);

    EXPECT_EQ(found.size(), 3u);
    EXPECT_EQ(u.page, page);
    EXPECT_TRUE(u.edits.empty());
    ASSERT_EQ(u.leftAlone.size(), 2u);
    EXPECT_NE(u.leftAlone[0].reason.find("partly"), std::string::npos);
    EXPECT_NE(u.leftAlone[1].reason.find("edited"), std::string::npos);
}

// A stamped snippet becomes the stamped today's edition, so the next check still knows it.
TEST(PageUpgrade, AStampedSnippetStaysStamped)
{
    const gen::GadgetEntry& g = *gen::FindGadget("bookmark-us");
    const gen::FieldValues values = AwkwardValues(g);
    const std::string page =
        RealPage({"", "", gen::StampedEdition(g, values, gen::Edition::Classic).TextForm()}, {})
            .text;
    const sitecheck::PageUpgrade u =
        sitecheck::UpgradePage(page, sitecheck::PageFinder(page).Find());
    const std::vector<sitecheck::Finding> after = sitecheck::PageFinder(u.page).Find();
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].edition, gen::Edition::Today);
    EXPECT_EQ(after[0].edited, false);
    EXPECT_EQ(after[0].values, values);
}

} // namespace
