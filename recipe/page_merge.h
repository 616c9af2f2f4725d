#pragma once

#include <vector>

#include "generators/edition.h"
#include "generators/gadget_table.h"
#include "recipe/recipe.h"

namespace recipe
{

// What the program's pages hold: one gadget's field texts per gadget, in the order of the
// gadget table, and the one edition choice.
struct PageState {
    std::vector<gen::FieldValues> values;
    gen::Edition edition = gen::Edition::Classic;
};

// The pages as a recipe shows them: each gadget's first entry, defaults where it gives no value
// or the recipe has no entry; the edition of the recipe's first entry, else `edition`.
PageState PagesOf(const Recipe& recipe, gen::Edition edition);

// The index of the first entry of `gadget`, or snippets.size().
std::size_t FirstEntryOf(const Recipe& recipe, std::string_view gadget);

// `base` with what changed on the pages since they showed `shown`: a changed field is set in its
// gadget's first entry, a changed edition in every page's entry; entries, keys and values the
// pages did not change stay as they were, byte for byte. A page with no entry gets one at the end
// when it differs from `shown`, or always when `everyPage` (a recipe made from scratch), with the
// values that differ from the defaults.
Recipe MergePages(const Recipe& base, const PageState& shown, const PageState& current,
                  bool everyPage);

} // namespace recipe
