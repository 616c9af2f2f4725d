#include "web/page_session.h"

#include <nlohmann/json.hpp>
#include <stdexcept>

#include "generators/edition.h"
#include "generators/gadget_table.h"
#include "recipe/recipe_check.h"

namespace web
{

namespace
{

using Json = nlohmann::ordered_json;

// Texts of a JSON object by key; anything else in it is left out.
gen::FieldValues ValuesOf(const gen::GadgetEntry& gadget, const Json& given)
{
    gen::FieldValues values = gen::DefaultValues(gadget);
    if (!given.is_object())
        return values;
    for (std::size_t i = 0; i < gadget.fields.size(); ++i) {
        const auto it = given.find(std::string(gadget.fields[i].option));
        if (it != given.end() && it->is_string())
            values[i] = it->get<std::string>();
    }
    return values;
}

gen::Edition EditionOf(const Json& request)
{
    const auto it = request.find("edition");
    const std::string name =
        it != request.end() && it->is_string() ? it->get<std::string>() : std::string();
    return gen::ParseEdition(name).value_or(gen::Edition::Classic);
}

Json ParseRequest(std::string_view text)
{
    Json request = Json::parse(text, nullptr, false);
    return request.is_object() ? request : Json::object();
}

recipe::PageState StateOf(const Json& request)
{
    recipe::PageState state;
    state.edition = EditionOf(request);
    const auto values = request.find("values");
    for (const gen::GadgetEntry& g : gen::GadgetTable()) {
        const bool given =
            values != request.end() && values->is_object() && values->contains(std::string(g.id));
        state.values.push_back(ValuesOf(g, given ? values->at(std::string(g.id)) : Json()));
    }
    return state;
}

Json StateJson(const recipe::PageState& state)
{
    Json values = Json::object();
    const std::vector<gen::GadgetEntry>& table = gen::GadgetTable();
    for (std::size_t g = 0; g < table.size(); ++g)
        for (std::size_t f = 0; f < table[g].fields.size(); ++f)
            values[std::string(table[g].id)][std::string(table[g].fields[f].option)] =
                state.values[g][f];
    return values;
}

// A message may quote what a file held, which need not be UTF-8.
std::string Dump(const Json& json)
{
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Reply Refused(const std::string& message, const std::string& key, const std::string& where)
{
    return {Dump(Json{{"error", message}, {key, where}}), {}};
}

} // namespace

PageSession::PageSession() : shown_(StateOf(Json::object())) {}

Reply PageSession::OpenRecipe(std::string_view name, std::string_view bytes,
                              std::string_view edition)
{
    recipe::Recipe r;
    try {
        // Refused by its size before it is parsed, as the program refuses the file.
        if (bytes.size() > recipe::kMaxRecipeBytes)
            throw recipe::RecipeError("", "the recipe is larger than 16 MB");
        r = recipe::ParseRecipe(bytes);
        recipe::CheckRecipe(r);
    } catch (const recipe::RecipeError& e) {
        return Refused(std::string(name) + ": " + e.what(), "place", e.Place());
    } catch (const std::exception& e) {
        return Refused(std::string(name) + ": " + e.what(), "place", "");
    }
    const recipe::PageState state =
        recipe::PagesOf(r, gen::ParseEdition(edition).value_or(gen::Edition::Classic));
    Json reply = {{"values", StateJson(state)},
                  {"edition", std::string(gen::EditionName(state.edition))},
                  {"gadget", r.snippets.empty() ? std::string() : r.snippets.front().gadget}};
    recipe_ = std::move(r);
    shown_ = state;
    name_ = std::string(name);
    opened_ = true;
    return {Dump(reply), {}};
}

Reply PageSession::SaveRecipe(std::string_view text)
{
    const recipe::PageState current = StateOf(ParseRequest(text));
    recipe::Recipe merged = recipe::MergePages(recipe_, shown_, current, !opened_);
    std::string bytes;
    try {
        bytes = recipe::WriteRecipe(merged);
    } catch (const recipe::RecipeError& e) {
        return Refused(name_ + ": " + e.what(), "place", e.Place());
    }
    recipe_ = std::move(merged);
    shown_ = current;
    opened_ = true;
    return {Dump(Json{{"name", name_}}), std::move(bytes)};
}

} // namespace web
