#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "sitecheck/page_upgrade.h"

namespace sitecheck
{

// A unified diff, with three lines of context, of what `edits` (in page order, not overlapping)
// change in `page`, labelled `path` on both sides (quoted as ShellQuotedName quotes it); empty
// when there are no edits.
std::string UnifiedDiff(std::string_view page, const std::vector<PageEdit>& edits,
                        const std::string& path);

// The same diff written to `out` a line at a time, so that its size costs no memory.
void WriteUnifiedDiff(std::ostream& out, std::string_view page, const std::vector<PageEdit>& edits,
                      const std::string& path);

} // namespace sitecheck
