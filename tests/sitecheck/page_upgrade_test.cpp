// An upgrade replaces each snippet that does not fully work by its today's edition, with the
// same values, and leaves every byte around the snippet's pieces as it was.
#include "sitecheck/page_upgrade.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

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

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

// The page a unified diff makes of `page` (which ends with a line end); each hunk's context and
// removed lines must be the page's own, and its header must count its lines.
std::string Applied(const std::string& page, const std::string& diff)
{
    const std::vector<std::string> old = SplitLines(page), lines = SplitLines(diff);
    std::vector<std::string> out;
    std::size_t at = 0, oldLeft = 0, newLeft = 0;
    for (std::size_t i = 2; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.rfind("@@ -", 0) == 0) {
            EXPECT_EQ(oldLeft + newLeft, 0u) << "a hunk counted more lines than it held";
            unsigned long from = 0, oldCount = 0, to = 0, newCount = 0;
            EXPECT_EQ(std::sscanf(line.c_str(), "@@ -%lu,%lu +%lu,%lu @@", &from, &oldCount, &to,
                                  &newCount),
                      4);
            while (at + 1 < from)
                out.push_back(old.at(at++));
            EXPECT_EQ(to, out.size() + 1);
            oldLeft = oldCount;
            newLeft = newCount;
            continue;
        }
        if (line[0] != '+') {
            EXPECT_EQ(old.at(at), line.substr(1));
            --oldLeft;
            ++at;
        }
        if (line[0] != '-') {
            out.push_back(line[0] == '+' ? line.substr(1) : old.at(at - 1));
            --newLeft;
        }
    }
    while (at < old.size())
        out.push_back(old[at++]);
    std::string text;
    for (const std::string& l : out)
        text += l + "\n";
    return text;
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

    // Two snippets of the gadget, and the diff that turns the page into the upgraded one.
    const std::string twice = page + page;
    const sitecheck::PageUpgrade both =
        sitecheck::UpgradePage(twice, sitecheck::PageFinder(twice).Find());
    const std::string diff = sitecheck::UnifiedDiff(twice, both.edits, "page.html");
    EXPECT_EQ(diff.rfind("--- page.html\n+++ page.html\n@@ -", 0), 0u) << diff;
    EXPECT_EQ(Applied(twice, diff), both.page) << diff;
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
