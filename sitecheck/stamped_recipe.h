#pragma once

#include <string_view>

#include "recipe/recipe.h"

namespace sitecheck
{

// The recipe that regenerates every stamped snippet of `page`, in page order: one entry per
// snippet with its gadget, edition, every field's value and "stamp" set, so that generating it
// gives the stamped snippets again byte for byte. Unstamped snippets are left out; a page
// without a stamped snippet gives a recipe without entries.
recipe::Recipe StampedRecipe(std::string_view page);

} // namespace sitecheck
