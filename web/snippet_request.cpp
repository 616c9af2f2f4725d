#include "web/snippet_request.h"

#include <exception>
#include <string>

#include "generators/edition.h"
#include "generators/field_check.h"
#include "generators/gadget_table.h"
#include "generators/stamp.h"
#include "web/json_text.h"

namespace web
{

namespace
{

Reply Refused(std::string_view message, std::string_view option)
{
    std::string json = "{\"error\":";
    AppendJsonString(json, message);
    json += ",\"option\":";
    AppendJsonString(json, option);
    json += '}';
    return {std::move(json), {}};
}

} // namespace

Reply GenerateSnippet(const SnippetRequest& request)
{
    const gen::GadgetEntry* gadget = gen::FindGadget(request.gadget);
    if (!gadget || !gadget->generate)
        return Refused("no such gadget", "");
    gen::FieldValues values = gen::DefaultValues(*gadget);
    for (std::size_t i = 0; i < values.size() && i < request.values.size(); ++i)
        values[i] = std::string(request.values[i]);
    const gen::Edition edition = gen::ParseEdition(request.edition).value_or(gen::Edition::Classic);
    try {
        const gen::CodeBuffer code = request.stamp ? gen::StampedEdition(*gadget, values, edition)
                                                   : gen::GenerateEdition(*gadget, values, edition);
        return {R"({"ok":true})", code.TextForm()};
    } catch (const gen::FieldError& e) {
        return Refused(e.what(), e.Option());
    } catch (const std::exception& e) {
        // Anything else thrown must not end the module, which the page keeps using.
        return Refused(e.what(), "");
    }
}

} // namespace web
