#include "generators/compatibility.h"

#include <stdexcept>
#include <string>

#include "generators/gadget_table.h"

namespace gen
{

std::string_view SupportWord(Support support)
{
    switch (support) {
    case Support::Works:
        return "works";
    case Support::Partly:
        return "partly";
    case Support::DoesNotWork:
        break;
    }
    return "does not work";
}

const Compatibility& CompatibilityOf(std::string_view gadgetId)
{
    if (const GadgetEntry* gadget = FindGadget(gadgetId))
        return gadget->compatibility;
    throw std::out_of_range("No compatibility record for " + std::string(gadgetId));
}

} // namespace gen
