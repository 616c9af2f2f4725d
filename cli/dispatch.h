#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/exit_status.h"

namespace cli
{

// Runs sitewright-gen on its arguments (without the program name): chooses check, --recipe,
// --from, --list, the standard options or the one-gadget command. Output goes to `out`,
// messages to `err`; returns the exit status.
int RunSitewrightGen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace cli
