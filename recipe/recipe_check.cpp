#include "recipe/recipe_check.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <unordered_map>

#include "generators/edition.h"
#include "generators/field_check.h"

namespace recipe
{

namespace
{

std::string EntryPlace(std::size_t index)
{
    return "snippets[" + std::to_string(index) + "]";
}

std::size_t EditDistance(std::string_view a, std::string_view b)
{
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// " (did you mean X?)" for the nearest name within two edits, "" when none is that near.
template <typename Names> std::string Suggestion(std::string_view typed, const Names& names)
{
    std::string_view best;
    std::size_t bestDistance = 3;
    for (std::string_view name : names) {
        const std::size_t d = EditDistance(typed, name);
        if (d < bestDistance) {
            best = name;
            bestDistance = d;
        }
    }
    return best.empty() ? std::string() : " (did you mean " + std::string(best) + "?)";
}

const gen::GadgetEntry& CheckGadget(const Entry& entry, const std::string& place)
{
    if (const gen::GadgetEntry* gadget = gen::FindGadget(entry.gadget))
        return *gadget;
    std::vector<std::string_view> ids;
    for (const gen::GadgetEntry& g : gen::GadgetTable())
        ids.push_back(g.id);
    throw RecipeError(place + ".gadget",
                      "no such gadget \"" + entry.gadget + "\"" + Suggestion(entry.gadget, ids));
}

void CheckOptions(const Entry& entry, const gen::GadgetEntry& gadget, const std::string& place)
{
    for (const auto& [option, value] : entry.values) {
        if (gen::FindField(gadget, option))
            continue;
        std::vector<std::string_view> options;
        for (const gen::FieldEntry& field : gadget.fields)
            options.push_back(field.option);
        throw RecipeError(place + ".values." + option, "no such option for " +
                                                           std::string(gadget.id) +
                                                           Suggestion(option, options));
    }
}

void CheckFields(const Entry& entry, const gen::GadgetEntry& gadget, const std::string& place)
{
    if (!gadget.generate)
        throw RecipeError(place + ".gadget", entry.gadget + " cannot be generated yet");
    try {
        gen::GenerateEdition(gadget, EntryValues(entry, gadget), entry.edition);
    } catch (const gen::FieldError& e) {
        throw RecipeError(place + ".values." + e.Option(), e.what());
    }
}

void CheckOutput(const std::string& output, const std::string& place)
{
    if (output.empty())
        throw RecipeError(place, "is empty");
    if (output.find('\0') != std::string::npos)
        throw RecipeError(place, "holds a NUL character");
    const std::filesystem::path path(output);
    // A recipe from someone else must not write anywhere but below its own folder.
    if (path.is_absolute() || path.has_root_name() || path.has_root_directory())
        throw RecipeError(place,
                          "must be a path relative to the recipe's folder, not \"" + output + "\"");
    for (const std::filesystem::path& part : path)
        if (part == "..")
            throw RecipeError(place, "must stay in the recipe's folder, without \"..\"");
    const std::string plain = PlainOutputPath(output);
    if (plain.empty() || plain.back() == '/')
        throw RecipeError(place, "names a folder, not a file");
}

} // namespace

const gen::GadgetEntry& GadgetOf(const Entry& entry)
{
    if (const gen::GadgetEntry* gadget = gen::FindGadget(entry.gadget))
        return *gadget;
    throw std::logic_error("unchecked recipe entry: " + entry.gadget);
}

gen::FieldValues EntryValues(const Entry& entry, const gen::GadgetEntry& gadget)
{
    gen::FieldValues values = gen::DefaultValues(gadget);
    for (std::size_t i = 0; i < gadget.fields.size(); ++i)
        if (const std::string* value = entry.Value(gadget.fields[i].option))
            values[i] = *value;
    return values;
}

std::string PlainOutputPath(const std::string& output)
{
    std::string plain = std::filesystem::path(output).lexically_normal().generic_string();
    if (plain == ".")
        return {};
    return plain;
}

void EntryChecker::Check(const Entry& entry, std::size_t index)
{
    const std::string place = EntryPlace(index);
    const gen::GadgetEntry& gadget = CheckGadget(entry, place);
    CheckOptions(entry, gadget, place);
    CheckFields(entry, gadget, place);
    if (!entry.output)
        return;
    CheckOutput(*entry.output, place + ".output");
    const auto [first, fresh] = writers_.emplace(PlainOutputPath(*entry.output), index);
    if (!fresh)
        throw RecipeError(place + ".output",
                          "writes the same file as " + EntryPlace(first->second) + ".output");
}

void CheckRecipe(const Recipe& recipe)
{
    EntryChecker checker;
    for (std::size_t i = 0; i < recipe.snippets.size(); ++i)
        checker.Check(recipe.snippets[i], i);
}

} // namespace recipe
