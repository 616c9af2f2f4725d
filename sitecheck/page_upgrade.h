#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sitecheck/page_finder.h"

namespace sitecheck
{

// One change to a page: the bytes of `range` become `text`.
struct PageEdit {
    ByteRange range;
    std::string text;
};

// A finding that an upgrade leaves alone, and why.
struct LeftAlone {
    const Finding* finding;
    std::string reason;
};

struct PageUpgrade {
    std::string page;            // the page with every edit made
    std::vector<PageEdit> edits; // in page order, not overlapping
    std::vector<LeftAlone> leftAlone;
    std::size_t upgraded = 0;
};

// Replaces each finding that does not fully work by its gadget's today's edition with the same
// values (stamped when the finding was): the today's code takes the place of the piece that
// goes where it goes, the other pieces are removed, and every other byte stays. A snippet edited
// by hand since its stamp, one only partly recognised, or one whose values the today's edition
// refuses is left alone, with the reason.
PageUpgrade UpgradePage(std::string_view page, const std::vector<Finding>& findings);

// The same without the upgraded page (`page` stays empty), for a diff that needs only the edits.
PageUpgrade PlanUpgrade(std::string_view page, const std::vector<Finding>& findings);

} // namespace sitecheck
