#include "generators/compatibility.h"

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

} // namespace gen
