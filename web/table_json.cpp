#include "web/table_json.h"

#include "generators/compatibility.h"
#include "generators/edition.h"
#include "generators/gadget_table.h"
#include "web/json_text.h"

namespace web
{

namespace
{

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

// Writes `"key":` after a comma unless it opens its object.
void Key(std::string& out, std::string_view key, bool first = false)
{
    if (!first)
        out += ',';
    AppendJsonString(out, key);
    out += ':';
}

void Text(std::string& out, std::string_view key, std::string_view value, bool first = false)
{
    Key(out, key, first);
    AppendJsonString(out, value);
}

void Choices(std::string& out, std::string_view list)
{
    out += '[';
    for (bool first = true; !list.empty(); first = false) {
        const std::size_t end = list.find('\n');
        if (!first)
            out += ',';
        AppendJsonString(out, list.substr(0, end));
        list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
    }
    out += ']';
}

void Field(std::string& out, const gen::FieldEntry& f)
{
    out += '{';
    Text(out, "option", f.option, true);
    Text(out, "caption", f.caption);
    Text(out, "default", f.defaultText);
    Text(out, "kind", KindName(f.kind));
    Key(out, "choices");
    Choices(out, f.choices);
    Key(out, "code");
    out += f.lands == gen::Lands::AsCode ? "true" : "false";
    out += '}';
}

void Claim(std::string& out, std::string_view key, gen::Support support, std::string_view sentence)
{
    Key(out, key);
    out += '{';
    Text(out, "support", gen::SupportWord(support), true);
    Text(out, "sentence", sentence);
    out += '}';
}

void Gadget(std::string& out, const gen::GadgetEntry& g)
{
    out += '{';
    Text(out, "id", g.id, true);
    Text(out, "title", g.title);
    Key(out, "page");
    out += std::to_string(g.page);
    Key(out, "ownToday");
    out += gen::HasOwnTodaysEdition(g) ? "true" : "false";
    Key(out, "fields");
    out += '[';
    for (std::size_t i = 0; i < g.fields.size(); ++i) {
        if (i)
            out += ',';
        Field(out, g.fields[i]);
    }
    out += ']';
    const gen::Compatibility& c = g.compatibility;
    Claim(out, "classic", c.classic, c.sentence);
    Claim(out, "today", c.today, c.todaySentence);
    out += '}';
}

} // namespace

std::string TableJson()
{
    std::string out = "{\"gadgets\":[";
    const std::vector<gen::GadgetEntry>& table = gen::GadgetTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (i)
            out += ',';
        Gadget(out, table[i]);
    }
    out += "],\"editions\":[";
    AppendJsonString(out, gen::EditionName(gen::Edition::Classic));
    out += ',';
    AppendJsonString(out, gen::EditionName(gen::Edition::Today));
    out += "]}";
    return out;
}

} // namespace web
