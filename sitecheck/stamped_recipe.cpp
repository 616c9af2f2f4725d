#include "sitecheck/stamped_recipe.h"

#include "sitecheck/page_finder.h"

namespace sitecheck
{

recipe::Recipe StampedRecipe(std::string_view page)
{
    recipe::Recipe r;
    if (!MayHoldSnippet(page))
        return r;
    for (const Finding& f : PageFinder(page).Find()) {
        if (!f.stamped)
            continue;
        recipe::Entry entry;
        entry.gadget = std::string(f.gadget->id);
        entry.edition = f.edition;
        entry.stamp = true;
        for (std::size_t i = 0; i < f.gadget->fields.size(); ++i)
            entry.SetValue(f.gadget->fields[i].option, f.values[i]);
        r.snippets.push_back(std::move(entry));
    }
    return r;
}

} // namespace sitecheck
