#pragma once

#include <string>
#include <vector>

#include "generators/gadget_table.h"

namespace tools
{

// The bash completion script of sitewright-gen for these gadgets: the first word completes to
// a gadget id, check, --from, --list or --help; after a gadget id, to that gadget's options,
// --stamp, --csp, --help and -o; after check, to its options or a path.
// Built from the table at build time, so a new gadget or option completes without an edit here.
// Throws std::invalid_argument when an id or option holds a character other than a letter, a
// digit, '-', '_' or '.', which the script would have to quote.
std::string BashCompletionScript(const std::vector<gen::GadgetEntry>& gadgets);

} // namespace tools
