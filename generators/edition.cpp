#include "generators/edition.h"

#include <array>
#include <utility>

#include "generators/spin_value.h"
#include "generators/todays_edition.h"

namespace gen
{

namespace
{

// Values are read by the position of the field in the gadget table, as its own adapters do.

CodeBuffer RunBreakFrames(const FieldValues&)
{
    return TodaysBreakFrames();
}

CodeBuffer RunBookmarkUs(const FieldValues& v)
{
    return TodaysBookmarkUs({v.at(0), v.at(1)});
}

CodeBuffer RunSetHomepage(const FieldValues& v)
{
    return TodaysSetHomepage({v.at(0)});
}

CodeBuffer RunLogoBranding(const FieldValues& v)
{
    return TodaysLogoBranding({v.at(0), v.at(1), v.at(2), SpinValue(v.at(3)), SpinValue(v.at(4))});
}

CodeBuffer RunFramelessPopup(const FieldValues& v)
{
    return TodaysFramelessPopup({v.at(0), v.at(1), v.at(2), v.at(3)});
}

CodeBuffer RunBrowserEntry(const FieldValues& v)
{
    return TodaysBrowserEntry({v.at(0), v.at(1)});
}

CodeBuffer RunPopupPage(const FieldValues& v)
{
    return TodaysPopupPage({v.at(0), v.at(1), v.at(2), v.at(3)});
}

using TodaysGenerator = CodeBuffer (*)(const FieldValues&);

// Gadgets missing here still work in today's browsers; their today's edition is the classic
// snippet.
constexpr std::array<std::pair<std::string_view, TodaysGenerator>, 7> kTodays = {{
    {"break-frames", RunBreakFrames},
    {"bookmark-us", RunBookmarkUs},
    {"set-homepage", RunSetHomepage},
    {"logo-branding", RunLogoBranding},
    {"frameless-popup", RunFramelessPopup},
    {"browser-entry", RunBrowserEntry},
    {"popup-page", RunPopupPage},
}};

TodaysGenerator TodaysOf(const GadgetSpec& gadget)
{
    for (const auto& [id, generate] : kTodays)
        if (id == gadget.id)
            return generate;
    return nullptr;
}

} // namespace

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

bool HasOwnTodaysEdition(const GadgetSpec& gadget)
{
    return TodaysOf(gadget) != nullptr;
}

CodeBuffer GenerateEdition(const GadgetSpec& gadget, const FieldValues& values, Edition edition)
{
    if (edition == Edition::Today)
        if (const TodaysGenerator generate = TodaysOf(gadget))
            return generate(values);
    return gadget.generate ? gadget.generate(values) : CodeBuffer();
}

} // namespace gen
