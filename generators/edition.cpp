#include "generators/edition.h"

namespace gen
{

std::string_view EditionName(Edition edition)
{
    return edition == Edition::Today ? "today" : "classic";
}

std::optional<Edition> ParseEdition(std::string_view name)
{
    if (name == "classic")
        return Edition::Classic;
    if (name == "today")
        return Edition::Today;
    return std::nullopt;
}

bool HasOwnTodaysEdition(const GadgetEntry& gadget)
{
    return gadget.today != nullptr;
}

CodeBuffer GenerateEdition(const GadgetEntry& gadget, const FieldValues& values, Edition edition)
{
    const Generator generate =
        edition == Edition::Today && gadget.today ? gadget.today : gadget.classic;
    return generate ? generate(FieldInputs(gadget.fields, values)) : CodeBuffer();
}

} // namespace gen
