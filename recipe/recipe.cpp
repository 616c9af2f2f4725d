#include "recipe/recipe.h"

#include <algorithm>
#include <unordered_set>

#include "generators/gadget_table.h"
#include "recipe/json_builder.h"
#include "recipe/recipe_reader.h"

namespace recipe
{

using Json = nlohmann::ordered_json;

namespace
{

// An object's keys are looked up here, not in the object, which would walk its list at each.
Json ValuesJson(const Entry& entry)
{
    Json values = Json::object();
    std::unordered_set<std::string> keys;
    if (const gen::GadgetEntry* gadget = gen::FindGadget(entry.gadget))
        for (const gen::FieldEntry& field : gadget->fields)
            if (const std::string* value = entry.Value(field.option))
                if (keys.emplace(field.option).second)
                    AppendMember(values, std::string(field.option), *value);
    for (const auto& [option, value] : entry.values)
        if (keys.insert(option).second)
            AppendMember(values, option, value);
    return values;
}

void AppendUnknown(Json& json, const Json& unknown)
{
    std::unordered_set<std::string> keys;
    for (const auto& [key, value] : json.items())
        keys.insert(key);
    for (const auto& [key, value] : unknown.items())
        if (keys.insert(key).second)
            AppendMember(json, key, value);
}

Json EntryJson(const Entry& entry)
{
    Json json = Json::object();
    json["gadget"] = entry.gadget;
    json["edition"] = std::string(gen::EditionName(entry.edition));
    json["values"] = ValuesJson(entry);
    if (entry.output)
        json["output"] = *entry.output;
    if (entry.stamp)
        json["stamp"] = true;
    if (entry.csp)
        json["csp"] = true;
    AppendUnknown(json, entry.unknown);
    return json;
}

} // namespace

RecipeError::RecipeError(std::string place, const std::string& message)
    : std::runtime_error(place.empty() ? message : place + ": " + message), place_(std::move(place))
{
}

const std::string* Entry::Value(std::string_view option) const
{
    for (const auto& [name, value] : values)
        if (name == option)
            return &value;
    return nullptr;
}

void Entry::SetValue(std::string_view option, const std::string& value)
{
    for (auto& [name, text] : values)
        if (name == option) {
            text = value;
            return;
        }
    values.emplace_back(std::string(option), value);
}

Recipe ParseRecipe(std::string_view bytes)
{
    if (bytes.size() > kMaxRecipeBytes)
        throw RecipeError("", "the recipe is larger than 16 MB");
    const RecipeReader reader([bytes](std::size_t offset) {
        return std::string(bytes.substr(std::min(offset, bytes.size()), RecipeReader::kChunkBytes));
    });
    Recipe recipe;
    recipe.unknown = reader.Unknown();
    recipe.snippets.reserve(reader.Count());
    reader.ForEachEntry(
        [&recipe](Entry entry, std::size_t) { recipe.snippets.push_back(std::move(entry)); });
    return recipe;
}

std::string WriteRecipe(const Recipe& recipe)
{
    Json json = Json::object();
    json["format"] = kFormatVersion;
    Json& snippets = json["snippets"] = Json::array();
    for (const Entry& entry : recipe.snippets)
        snippets.push_back(EntryJson(entry));
    AppendUnknown(json, recipe.unknown);
    try {
        return json.dump(2, ' ', false, Json::error_handler_t::strict) + "\n";
    } catch (const nlohmann::json::type_error&) {
        throw RecipeError("", "a text of the recipe is not UTF-8");
    }
}

} // namespace recipe
