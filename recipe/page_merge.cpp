#include "recipe/page_merge.h"

#include "recipe/recipe_check.h"

namespace recipe
{

namespace
{

Entry NewEntry(const gen::GadgetEntry& gadget, const gen::FieldValues& values, gen::Edition edition)
{
    Entry entry;
    entry.gadget = std::string(gadget.id);
    entry.edition = edition;
    const gen::FieldValues defaults = gen::DefaultValues(gadget);
    for (std::size_t i = 0; i < gadget.fields.size(); ++i)
        if (values[i] != defaults[i])
            entry.SetValue(gadget.fields[i].option, values[i]);
    return entry;
}

void MergeInto(Entry& entry, const gen::GadgetEntry& gadget, const gen::FieldValues& shown,
               const gen::FieldValues& current)
{
    for (std::size_t i = 0; i < gadget.fields.size(); ++i)
        if (current[i] != shown[i])
            entry.SetValue(gadget.fields[i].option, current[i]);
}

} // namespace

std::size_t FirstEntryOf(const Recipe& recipe, std::string_view gadget)
{
    for (std::size_t i = 0; i < recipe.snippets.size(); ++i)
        if (recipe.snippets[i].gadget == gadget)
            return i;
    return recipe.snippets.size();
}

PageState PagesOf(const Recipe& recipe, gen::Edition edition)
{
    PageState pages;
    pages.edition = recipe.snippets.empty() ? edition : recipe.snippets.front().edition;
    for (const gen::GadgetEntry& gadget : gen::GadgetTable()) {
        const std::size_t first = FirstEntryOf(recipe, gadget.id);
        pages.values.push_back(first < recipe.snippets.size()
                                   ? EntryValues(recipe.snippets[first], gadget)
                                   : gen::DefaultValues(gadget));
    }
    return pages;
}

Recipe MergePages(const Recipe& base, const PageState& shown, const PageState& current,
                  bool everyPage)
{
    Recipe merged = base;
    const std::vector<gen::GadgetEntry>& table = gen::GadgetTable();
    for (std::size_t g = 0; g < table.size(); ++g) {
        const std::size_t first = FirstEntryOf(merged, table[g].id);
        if (first < merged.snippets.size()) {
            Entry& entry = merged.snippets[first];
            MergeInto(entry, table[g], shown.values[g], current.values[g]);
            if (current.edition != shown.edition)
                entry.edition = current.edition;
        } else if (everyPage || current.values[g] != shown.values[g]) {
            merged.snippets.push_back(NewEntry(table[g], current.values[g], current.edition));
        }
    }
    return merged;
}

} // namespace recipe
