#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace cli
{

// Whether the arguments ask for a recipe run: they start with "--recipe" or "--dry-run".
bool IsRecipeCommand(const std::vector<std::string>& args);

// Runs "sitewright-gen --recipe FILE [--dry-run]": every entry of the recipe is checked first
// (exit status 2, nothing written, on any refusal), then each snippet goes to its output file
// below the recipe's folder, or to `out` in the recipe's order. --dry-run lists what would be
// written instead. Messages go to `err`.
int RunRecipe(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace cli
