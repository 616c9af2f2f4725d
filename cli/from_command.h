#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace cli
{

// Runs "sitewright-gen --from FILE": prints, as a recipe, every stamped snippet in FILE with its
// gadget, edition and values, so the recipe regenerates them. Returns 0 when it printed one,
// 1 when the file holds no stamped snippet, 2 on a usage or reading error.
int RunFrom(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace cli
