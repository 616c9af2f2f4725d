#include "web/table_json.h"

#include <nlohmann/json.hpp>

#include "generators/compatibility.h"
#include "generators/edition.h"
#include "generators/gadget_table.h"
#include "recipe/recipe.h"

namespace web
{

namespace
{

using Json = nlohmann::ordered_json;

std::string_view KindName(gen::FieldKind kind)
{
    switch (kind) {
    case gen::FieldKind::Number:
        return "number";
    case gen::FieldKind::Choice:
        return "choice";
    case gen::FieldKind::Text:
        break;
    }
    return "text";
}

Json Choices(std::string_view list)
{
    Json items = Json::array();
    while (!list.empty()) {
        const std::size_t end = list.find('\n');
        items.push_back(std::string(list.substr(0, end)));
        list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
    }
    return items;
}

Json FieldJson(const gen::FieldEntry& f)
{
    return {{"option", std::string(f.option)},       {"caption", std::string(f.caption)},
            {"default", std::string(f.defaultText)}, {"kind", std::string(KindName(f.kind))},
            {"choices", Choices(f.choices)},         {"code", f.lands == gen::Lands::AsCode}};
}

Json Claim(gen::Support support, std::string_view sentence)
{
    return {{"support", std::string(gen::SupportWord(support))},
            {"sentence", std::string(sentence)}};
}

Json GadgetJson(const gen::GadgetEntry& g)
{
    Json fields = Json::array();
    for (const gen::FieldEntry& f : g.fields)
        fields.push_back(FieldJson(f));
    const gen::Compatibility& c = g.compatibility;
    return {{"id", std::string(g.id)},
            {"title", std::string(g.title)},
            {"page", g.page},
            {"ownToday", gen::HasOwnTodaysEdition(g)},
            {"fields", std::move(fields)},
            {"classic", Claim(c.classic, c.sentence)},
            {"today", Claim(c.today, c.todaySentence)}};
}

} // namespace

std::string TableJson()
{
    Json gadgets = Json::array();
    for (const gen::GadgetEntry& g : gen::GadgetTable())
        gadgets.push_back(GadgetJson(g));
    const Json editions = {std::string(gen::EditionName(gen::Edition::Classic)),
                           std::string(gen::EditionName(gen::Edition::Today))};
    return Json{{"gadgets", std::move(gadgets)},
                {"editions", editions},
                {"maxRecipeBytes", recipe::kMaxRecipeBytes}}
        .dump();
}

} // namespace web
