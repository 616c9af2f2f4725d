#pragma once

#include <functional>
#include <string>
#include <vector>

#include "generators/edition.h"
#include "generators/gadget_table.h"
#include "sitecheck/snippet_pattern.h"

namespace sitecheck
{

// Whether `patterns` find exactly one snippet in `snippet`, holding `values`.
using ReadsBack = std::function<bool(const std::vector<SnippetPattern>& patterns,
                                     const std::string& snippet, const gen::FieldValues& values)>;

// The patterns that find a gadget's edition whatever its choice fields hold: the pattern of
// its defaults, where a choice lands as a value to read back, and one more for each choice (or
// choices of several fields together) that makes a snippet of another shape, which `reads`
// says the patterns so far do not find.
std::vector<SnippetPattern> PatternsOf(const gen::GadgetEntry& gadget, gen::Edition edition,
                                       const ReadsBack& reads);

} // namespace sitecheck
