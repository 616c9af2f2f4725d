#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace cli
{

// Runs "sitewright-gen check" on its arguments (those after "check"): finds the gadgets'
// snippets in the pages named, reports them to `out` (messages and unreadable paths to `err`),
// and with --upgrade replaces those that do not fully work. Returns 0 when every finding works,
// 1 when any does not fully work, 2 on a usage or reading error.
int RunCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace cli
