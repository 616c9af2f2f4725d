#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace cli
{

// The one-gadget command: `args` starts with the gadget's id, followed by its options. The
// snippet, its recipe or the gadget's help goes to `out`, messages to `err`. On a usage error or
// a refused value nothing at all goes to `out`.
int RunGadgetCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Names every gadget with what its designed snippet does in today's browsers.
int RunList(std::ostream& out, std::ostream& err);

} // namespace cli
