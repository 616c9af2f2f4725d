#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "generators/compatibility.h"
#include "generators/edition.h"
#include "generators/gadget_table.h"
#include "sitecheck/page_structure.h"
#include "sitecheck/snippet_pattern.h"

namespace sitecheck
{

// Where one piece of a found snippet stands: whole lines (line ends included) for code, the
// attribute from its name to the end of its value for a BODY-tag piece.
struct PieceSpot {
    Place place;
    ByteRange range;
};

// One gadget's snippet found in a page.
struct Finding {
    const gen::GadgetEntry* gadget = nullptr;
    gen::Edition edition = gen::Edition::Classic;
    gen::FieldValues values; // in the order of the gadget's fields
    std::size_t line = 0;    // 1-based, of the first piece
    bool stamped = false;
    std::optional<bool> edited;   // stamped only: whether the lines differ from the stamp's sum
    bool complete = true;         // every piece that carries code or a field was found
    std::vector<PieceSpot> spots; // in page order
};

// What a finding's edition does in today's browsers.
gen::Support StatusOf(const Finding& finding);

// A quick look for the fixed text of any gadget's snippet or a stamp; a page without any holds
// no finding, so it need not be parsed.
bool MayHoldSnippet(std::string_view page);

// Finds the stamped snippets, and the classic snippets and today's editions (an upgrade leaves
// them unstamped) of every gadget, whatever template a choice picked, in a page, in page order.
// Code that the page only shows or has commented out is no finding.
class PageFinder
{
public:
    explicit PageFinder(std::string_view page);
    std::vector<Finding> Find() const;

    // Every pattern looked for: each gadget's classic snippet, then each gadget's own today's
    // edition, derived once.
    static const std::vector<SnippetPattern>& Patterns();

private:
    PageFinder(std::string_view page, const std::vector<SnippetPattern>& patterns);

    struct Line {
        std::size_t begin;     // first byte of the line
        std::size_t next;      // first byte after its line end
        std::string_view text; // without the blanks around it
        std::size_t number;    // 1-based
    };
    struct Match {
        std::size_t first, last; // indexes into lines_
        std::vector<std::pair<const LinePart*, std::string>> fields;
    };

    std::vector<Match> Matches(const PiecePattern& piece) const;
    std::optional<Match> MatchAt(const PiecePattern& piece, std::size_t j) const;
    bool AddBodyTag(const PiecePattern& piece, Finding& finding) const;
    bool BodyTagCallsInto(const PiecePattern& piece) const;
    void FindUnstamped(const SnippetPattern& pattern, std::vector<Finding>& out) const;
    void FindStamps(std::vector<Finding>& out) const;
    std::size_t LineStart(std::size_t offset) const;
    std::size_t LineNumberAt(std::size_t offset) const;

    std::string_view page_;
    const std::vector<SnippetPattern>* patterns_;
    PageStructure structure_;
    std::vector<Line> lines_; // lines holding more than blanks
};

} // namespace sitecheck
