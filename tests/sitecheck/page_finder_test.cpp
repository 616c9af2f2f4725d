// Every gadget's snippet, in either edition (an upgrade leaves the today's edition without a
// stamp), changed as pages change pasted code and placed in a real page between text that only
// mentions it, must be found once, whole, with the values it was made with.
#include "sitecheck/page_finder.h"

#include <gtest/gtest.h>

#include "generators/edition.h"
#include "sitecheck/page_upgrade.h"
#include "tests/sitecheck/sample_pages.h"
#include "tests/support/file_bytes.h"

#include <filesystem>

namespace
{

struct Case {
    const gen::GadgetEntry* gadget;
    gen::Edition edition;
    Transform transform;
};

std::vector<Case> AllCases()
{
    std::vector<Case> cases;
    for (const gen::GadgetEntry& g : gen::GadgetTable())
        for (gen::Edition e : {gen::Edition::Classic, gen::Edition::Today})
            for (Transform t : {Transform::AsPasted, Transform::Reindented, Transform::CrLf,
                                Transform::OtherCase, Transform::NoComments})
                if (e == gen::Edition::Classic || gen::HasOwnTodaysEdition(g))
                    cases.push_back({&g, e, t});
    return cases;
}

std::string CaseName(const testing::TestParamInfo<Case>& info)
{
    static const char* const kNames[] = {"AsPasted", "Reindented", "CrLf", "OtherCase",
                                         "NoComments"};
    std::string id(info.param.gadget->id);
    std::replace(id.begin(), id.end(), '-', '_');
    return id + "_" + std::string(gen::EditionName(info.param.edition)) + "_" +
           kNames[static_cast<int>(info.param.transform)];
}

class EditionInPage : public testing::TestWithParam<Case>
{
protected:
    std::string PageWith(const gen::FieldValues& values) const
    {
        const std::vector<std::string> lines = Transformed(
            gen::GenerateEdition(*GetParam().gadget, values, GetParam().edition).Lines(),
            GetParam().transform);
        return RealPage(PiecesOf(lines), lines, Eol()).text;
    }
    std::string Eol() const { return GetParam().transform == Transform::CrLf ? "\r\n" : "\n"; }
};

// The defaults, awkward values, and those with each template a choice field picks.
std::vector<gen::FieldValues> ValuesToFind(const gen::GadgetEntry& g, gen::Edition edition)
{
    const gen::FieldValues awkward = AwkwardValues(g, edition);
    std::vector<gen::FieldValues> out = {gen::DefaultValues(g), awkward};
    const std::string plain = gen::GenerateEdition(g, awkward, edition).TextForm();
    for (std::size_t i = 0; i < g.fields.size(); ++i)
        for (const std::string& choice : sitecheck::Choices(g.fields[i].choices)) {
            gen::FieldValues values = awkward;
            values[i] = choice;
            // A choice the edition leaves out cannot be read back from it.
            if (gen::GenerateEdition(g, values, edition).TextForm() != plain)
                out.push_back(values);
        }
    return out;
}

TEST_P(EditionInPage, FoundOnceWithItsValues)
{
    const gen::GadgetEntry& g = *GetParam().gadget;
    for (const gen::FieldValues& values : ValuesToFind(g, GetParam().edition)) {
        const std::string page = PageWith(values);

        const std::vector<sitecheck::Finding> found = sitecheck::PageFinder(page).Find();

        ASSERT_EQ(found.size(), 1u) << page;
        EXPECT_EQ(found[0].gadget, &g);
        EXPECT_EQ(found[0].edition, GetParam().edition);
        EXPECT_TRUE(found[0].complete);
        EXPECT_FALSE(found[0].stamped);
        EXPECT_EQ(found[0].values, values);
        EXPECT_TRUE(sitecheck::MayHoldSnippet(page));
    }
}

// A page nested past the parser's bounds is read by the scan of its tags, which must find the
// same snippet in the same places.
TEST_P(EditionInPage, FoundAlikeWhenTooDeepToParse)
{
    const std::string page = PageWith(AwkwardValues(*GetParam().gadget, GetParam().edition));
    std::string deep = page;
    for (int i = 0; i < 300; ++i)
        deep += "<div>";
    ASSERT_TRUE(sitecheck::PageStructure(deep).Shallow());

    const std::vector<sitecheck::Finding> parsed = sitecheck::PageFinder(page).Find();
    const std::vector<sitecheck::Finding> scanned = sitecheck::PageFinder(deep).Find();

    ASSERT_EQ(scanned.size(), parsed.size()) << deep;
    for (std::size_t i = 0; i < parsed.size(); ++i) {
        EXPECT_EQ(scanned[i].values, parsed[i].values);
        EXPECT_EQ(scanned[i].line, parsed[i].line);
        EXPECT_EQ(scanned[i].complete, parsed[i].complete);
        ASSERT_EQ(scanned[i].spots.size(), parsed[i].spots.size());
        for (std::size_t s = 0; s < parsed[i].spots.size(); ++s)
            EXPECT_EQ(scanned[i].spots[s].range.begin, parsed[i].spots[s].range.begin);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryGadget, EditionInPage, testing::ValuesIn(AllCases()), CaseName);

// The pieces are found where the pages' owners put them, and the first one gives the line.
TEST(PageFinder, ReportsTheLineOfTheFirstPiece)
{
    const gen::GadgetEntry& g = *gen::FindGadget("popup-page");
    const std::vector<std::string> lines =
        gen::GenerateEdition(g, gen::DefaultValues(g), gen::Edition::Classic).Lines();
    const SamplePage page = RealPage(PiecesOf(lines), {});
    const std::vector<sitecheck::Finding> found = sitecheck::PageFinder(page.text).Find();
    ASSERT_EQ(found.size(), 1u);
    const std::size_t before =
        static_cast<std::size_t>(std::count(page.before.begin(), page.before.end(), '\n'));
    // The head piece starts with its first line that is not blank.
    const std::string head = PiecesOf(lines).head;
    const std::size_t blanks = static_cast<std::size_t>(
        std::count(head.begin(), head.begin() + static_cast<long>(head.find('<')), '\n'));
    EXPECT_EQ(found[0].line, before + blanks + 1);
    ASSERT_EQ(found[0].spots.size(), 2u);
    EXPECT_EQ(found[0].spots[0].place, sitecheck::Place::Head);
    EXPECT_EQ(found[0].spots[1].place, sitecheck::Place::BodyTag);
}

// Without the BODY tag's handler that carries a field, the snippet is only partly there.
TEST(PageFinder, AMissingPieceMakesTheFindingPartial)
{
    const gen::GadgetEntry& g = *gen::FindGadget("popup-page");
    SnippetPieces pieces =
        PiecesOf(gen::GenerateEdition(g, gen::DefaultValues(g), gen::Edition::Classic).Lines());
    pieces.bodyTagAttr.clear();
    const std::vector<sitecheck::Finding> found =
        sitecheck::PageFinder(RealPage(pieces, {}).text).Find();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_FALSE(found[0].complete);
}

// A BODY handler of a snippet's that the page's owner merged with calls of the page's own cannot
// be taken apart: the snippet is then only partly there. A handler of the page's own that calls
// nothing of the snippet's counts as no handler at all.
TEST(PageFinder, AHandlerMergedWithThePagesOwnMakesTheFindingPartial)
{
    const auto completeWith = [](const SnippetPieces& pieces) {
        const std::vector<sitecheck::Finding> found =
            sitecheck::PageFinder(RealPage(pieces, {}).text).Find();
        return found.size() == 1 && found[0].complete;
    };
    for (const gen::GadgetEntry& g : gen::GadgetTable()) {
        const SnippetPieces pieces =
            PiecesOf(gen::GenerateEdition(g, gen::DefaultValues(g), gen::Edition::Classic).Lines());
        const std::size_t quote = pieces.bodyTagAttr.find('"');
        if (quote == std::string::npos)
            continue;
        SnippetPieces merged = pieces, own = pieces, none = pieces;
        merged.bodyTagAttr.insert(quote + 1, "init(); ");
        own.bodyTagAttr = pieces.bodyTagAttr.substr(0, quote + 1) + "init();\"";
        none.bodyTagAttr.clear();
        EXPECT_TRUE(completeWith(pieces)) << g.id;
        EXPECT_FALSE(completeWith(merged)) << g.id << merged.bodyTagAttr;
        EXPECT_EQ(completeWith(own), completeWith(none)) << g.id << own.bodyTagAttr;
    }
}

// Code that pages only show, hold as data, have commented out or put where it never runs
// (<noscript>, <template>) is no finding, whether the page is parsed or scanned; a page
// without any gadget's fixed text is not even parsed.
TEST(PageFinder, TextThatOnlyMentionsCodeIsNoFinding)
{
    for (const gen::GadgetEntry& g : gen::GadgetTable())
        for (const gen::Edition e : {gen::Edition::Classic, gen::Edition::Today}) {
            const std::string code = gen::GenerateEdition(g, gen::DefaultValues(g), e).TextForm();
            const std::vector<std::string> lines =
                gen::GenerateEdition(g, gen::DefaultValues(g), e).Lines();
            std::string divs;
            for (int i = 0; i < 300; ++i)
                divs += "<div>";
            for (const std::string& page :
                 {RealPage({}, lines).text, "<html><body><noscript>\n" + code + "</noscript>",
                  "<html><head><template>\n" + code + "</template></head>"})
                for (const std::string& tail : {std::string(), divs})
                    EXPECT_TRUE(sitecheck::PageFinder(page + tail).Find().empty()) << g.id << "\n"
                                                                                   << page + tail;
        }
    EXPECT_FALSE(sitecheck::MayHoldSnippet(RealPage({}, {"<p>Welcome</p>"}).text));
}

// A page cut off inside a snippet, or one that is not text at all, ends the search normally.
TEST(PageFinder, BrokenPagesGiveNoFindingAndNoFault)
{
    const gen::GadgetEntry& g = *gen::FindGadget("bookmark-us");
    const std::string whole =
        gen::GenerateEdition(g, gen::DefaultValues(g), gen::Edition::Classic).TextForm();
    for (std::size_t cut = 0; cut < whole.size(); cut += 7)
        for (const sitecheck::Finding& f : sitecheck::PageFinder(whole.substr(0, cut)).Find())
            EXPECT_EQ(f.gadget, &g);
    std::string binary;
    for (int i = 0; i < 70000; ++i)
        binary += static_cast<char>((i * 7919) % 256);
    EXPECT_TRUE(sitecheck::PageFinder(binary + whole + "\xff\xfe\xc3").Find().size() <= 1);
}

} // namespace

namespace
{

// Inputs that once broke the finder or an upgrade, kept as the fuzz target saved them.
TEST(PageFinder, SavedFuzzInputsEndNormally)
{
    const std::filesystem::path folder = std::filesystem::path(SITEWRIGHT_SOURCE_DIR) /
                                         "tests/branding/fuzz_regressions/find_snippets";
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string page = ReadBytes(entry.path().string());
        const auto found = sitecheck::PageFinder(page).Find();
        const sitecheck::PageUpgrade u = sitecheck::UpgradePage(page, found);
        for (const sitecheck::PageEdit& e : u.edits)
            EXPECT_LE(e.range.end, page.size()) << entry.path();
        ++count;
    }
    EXPECT_GE(count, 2u);
}

} // namespace
