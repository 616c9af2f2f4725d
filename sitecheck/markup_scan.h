#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "sitecheck/page_structure.h"

namespace sitecheck
{

// What one pass over a page's markup finds, in time and memory linear in its size, without
// building a tree: the same facts PageStructure keeps, from tags, comments and text as they
// stand (a tag the parser would drop or move is taken where it is written), and how large a
// tree a full parse would build. Text inside <noscript> and <template> counts as shown, as
// their code never runs where the page is shown with scripts on.
struct MarkupScan {
    std::vector<ByteRange> dead;     // sorted, not overlapping
    std::vector<ByteRange> comments; // sorted
    std::optional<ByteRange> headStart, headEnd, bodyStart;
    std::vector<TagAttribute> bodyAttributes;
    // Elements left open at once, at the most: an upper bound on the parser's nesting, as
    // elements closed by what follows them (<p>, <li>, <a> in <a>) are counted as open.
    std::size_t deepest = 0;
    // Tags, text runs and comments: the nodes of the tree a full parse would build.
    std::size_t nodes = 0;
    // Formatting elements (<b>, <font>, ...) left open at once, at the most: the parser
    // copies each of them again into every paragraph that follows their end, so its tree
    // may hold that many nodes again for each.
    std::size_t formatting = 0;
};

MarkupScan ScanMarkup(std::string_view page);

} // namespace sitecheck
