#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "generators/edition.h"

namespace cli
{

// Whether the arguments ask for a recipe run: they start with "--recipe" or "--dry-run".
bool IsRecipeCommand(const std::vector<std::string>& args);

// Runs "sitewright-gen --recipe FILE [--dry-run]": every entry of the recipe is checked first
// (exit status 2, nothing written, on any refusal), then each snippet goes to its output file
// below the recipe's folder, or to `out` in the recipe's order. --dry-run lists what would be
// written instead. Messages go to `err`.
int RunRecipe(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Prints the recipe of one gadget command line: the options given (option, value) in the order
// given, the edition, -o FILE as the entry's output, --stamp as its "stamp" and --csp as its
// "csp". Checked as a
// recipe entry is.
int PrintAsRecipe(std::string_view gadget,
                  const std::vector<std::pair<std::string, std::string>>& given,
                  gen::Edition edition, const std::optional<std::string>& output, bool stamp,
                  bool csp, std::ostream& out, std::ostream& err);

} // namespace cli
