#include "recipe/recipe.h"

#include <algorithm>
#include <set>

#include "generators/gadget_table.h"

namespace recipe
{

using Json = nlohmann::ordered_json;

namespace
{

// Deep enough for any recipe; shallow enough that writing kept keys back, which recurses,
// cannot run out of stack.
constexpr int kMaxDepth = 64;

std::string LineColumn(std::string_view bytes, std::size_t offset)
{
    const std::string_view before = bytes.substr(0, std::min(offset, bytes.size()));
    const std::size_t line =
        1 + static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
    const std::size_t lineStart = before.rfind('\n');
    const std::size_t column =
        offset - (lineStart == std::string_view::npos ? 0 : lineStart + 1) + 1;
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// Refuses nesting beyond kMaxDepth before the parser builds it, where the place is still known.
void CheckDepth(std::string_view bytes)
{
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            if (++depth > kMaxDepth)
                throw RecipeError(LineColumn(bytes, i),
                                  "nested deeper than " + std::to_string(kMaxDepth) + " levels");
        } else if (c == '}' || c == ']') {
            --depth;
        }
    }
}

// The end of the string that starts at `open` (its closing quote), or the end of the bytes
// when it has none.
std::size_t StringEnd(std::string_view bytes, std::size_t open)
{
    std::size_t i = open + 1;
    while (i < bytes.size() && bytes[i] != '"')
        i += bytes[i] == '\\' ? 2 : 1;
    return std::min(i, bytes.size());
}

// The parser keeps the last of two equal keys and drops the other value without a word; a
// recipe typed by hand says which one it means instead. Runs on JSON the parser took, and
// compares keys as written.
void CheckDuplicateKeys(std::string_view bytes)
{
    std::vector<std::set<std::string_view>> objects; // keys of each open object; arrays too
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '{' || c == '[') {
            objects.emplace_back();
        } else if (c == '}' || c == ']') {
            if (!objects.empty())
                objects.pop_back();
        } else if (c == '"') {
            const std::size_t end = StringEnd(bytes, i);
            const std::size_t next = bytes.find_first_not_of(" \t\r\n", end + 1);
            const std::string_view key = bytes.substr(i + 1, end - i - 1);
            if (next != std::string_view::npos && bytes[next] == ':' && !objects.empty() &&
                !objects.back().insert(key).second)
                throw RecipeError(LineColumn(bytes, i), "the key \"" + std::string(key) +
                                                            "\" appears twice in one object");
            i = end;
        }
    }
}

// nlohmann's message is "[json.exception.parse_error.101] parse error at line L, column C:
// detail"; the place and the detail go their own ways.
RecipeError SyntaxError(const nlohmann::json::parse_error& e, std::string_view bytes)
{
    const std::string what = e.what();
    const std::size_t at = what.find(" at line ");
    const std::size_t colon = what.find(": ", at == std::string::npos ? 0 : at);
    if (at == std::string::npos || colon == std::string::npos)
        return RecipeError(LineColumn(bytes, e.byte == 0 ? 0 : e.byte - 1), what);
    return RecipeError(what.substr(at + 4, colon - at - 4), what.substr(colon + 2));
}

Json ParseJson(std::string_view bytes)
{
    if (bytes.size() > kMaxRecipeBytes)
        throw RecipeError("", "the recipe is larger than 16 MB");
    // The parser takes a NUL byte for the end of its input and would accept whatever precedes
    // it; JSON text never holds one, not even inside a string.
    if (const std::size_t nul = bytes.find('\0'); nul != std::string_view::npos)
        throw RecipeError(LineColumn(bytes, nul), "a NUL byte, which JSON text cannot hold");
    CheckDepth(bytes);
    try {
        Json json = Json::parse(bytes);
        CheckDuplicateKeys(bytes);
        return json;
    } catch (const nlohmann::json::parse_error& e) {
        throw SyntaxError(e, bytes);
    } catch (const nlohmann::json::exception& e) {
        // A number too large for a double: the library says which, not where.
        const std::string what = e.what();
        throw RecipeError(
            "", what.substr(what.find("] ") == std::string::npos ? 0 : what.find("] ") + 2));
    }
}

const Json& Expect(const Json& value, Json::value_t type, const std::string& place,
                   const char* what)
{
    if (value.type() != type)
        throw RecipeError(place, std::string("must be ") + what + ", not " + value.type_name());
    return value;
}

std::string Text(Json& value, const std::string& place)
{
    Expect(value, Json::value_t::string, place, "a string");
    return std::move(value.get_ref<std::string&>());
}

gen::Edition EditionOf(Json& value, const std::string& place)
{
    const std::string name = Text(value, place);
    if (const std::optional<gen::Edition> edition = gen::ParseEdition(name))
        return *edition;
    throw RecipeError(place, "must be \"classic\" or \"today\", not \"" + name + "\"");
}

void ReadValues(Json& values, const std::string& place, Entry& entry)
{
    Expect(values, Json::value_t::object, place, "an object");
    for (auto& [option, value] : values.items())
        entry.values.emplace_back(option, Text(value, place + "." + option));
}

// Takes the entry's JSON by value, so its memory goes as soon as the entry is read and a large
// recipe is not held twice.
Entry ReadEntry(Json json, const std::string& place)
{
    Expect(json, Json::value_t::object, place, "an object");
    if (!json.contains("gadget"))
        throw RecipeError(place, "has no \"gadget\"");
    Entry entry;
    for (auto& [key, value] : json.items()) {
        const std::string at = place + "." + key;
        if (key == "gadget")
            entry.gadget = Text(value, at);
        else if (key == "edition")
            entry.edition = EditionOf(value, at);
        else if (key == "values")
            ReadValues(value, at, entry);
        else if (key == "output")
            entry.output = Text(value, at);
        else if (key == "stamp")
            entry.stamp = Expect(value, Json::value_t::boolean, at, "true or false").get<bool>();
        else
            entry.unknown[key] = std::move(value);
    }
    return entry;
}

void CheckFormat(const Json& json)
{
    if (!json.contains("format"))
        throw RecipeError("", "not a recipe: it has no \"format\"");
    const Json& format = json["format"];
    if (!format.is_number_integer() || format.get<std::int64_t>() < 1)
        throw RecipeError("format", "must be a whole number from 1");
    if (format.get<std::int64_t>() > kFormatVersion)
        throw RecipeError("format", "format " + format.dump() +
                                        " is newer than this program reads (" +
                                        std::to_string(kFormatVersion) + ")");
}

void ReadSnippets(Json& snippets, Recipe& recipe)
{
    Expect(snippets, Json::value_t::array, "snippets", "an array");
    if (snippets.size() > kMaxEntries)
        throw RecipeError("snippets", "more than 100,000 entries");
    recipe.snippets.reserve(snippets.size());
    for (std::size_t i = 0; i < snippets.size(); ++i)
        recipe.snippets.push_back(
            ReadEntry(std::move(snippets[i]), "snippets[" + std::to_string(i) + "]"));
}

Json ValuesJson(const Entry& entry)
{
    Json values = Json::object();
    if (const gen::GadgetSpec* gadget = gen::FindGadget(entry.gadget))
        for (const gen::FieldSpec& field : gadget->fields)
            if (const std::string* value = entry.Value(field.option))
                values[std::string(field.option)] = *value;
    for (const auto& [option, value] : entry.values)
        if (!values.contains(option))
            values[option] = value;
    return values;
}

void AppendUnknown(Json& json, const Json& unknown)
{
    for (const auto& [key, value] : unknown.items())
        if (!json.contains(key))
            json[key] = value;
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
    Json json = ParseJson(bytes);
    if (!json.is_object())
        throw RecipeError("",
                          std::string("the recipe must be a JSON object, not ") + json.type_name());
    CheckFormat(json);
    if (!json.contains("snippets"))
        throw RecipeError("", "the recipe has no \"snippets\"");
    Recipe recipe;
    for (auto& [key, value] : json.items()) {
        if (key == "snippets")
            ReadSnippets(value, recipe);
        else if (key != "format")
            recipe.unknown[key] = std::move(value);
    }
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
