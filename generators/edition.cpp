#include "generators/edition.h"

#include <array>
#include <utility>

#include "generators/todays_edition.h"

namespace gen
{

namespace
{

// Each adapter reads its values by the option of the field in the gadget table, as the table's
// own adapters do.

CodeBuffer RunBreakFrames(const FieldInputs&)
{
    return TodaysBreakFrames();
}

CodeBuffer RunBookmarkUs(const FieldInputs& in)
{
    return TodaysBookmarkUs({in.Text("url"), in.Text("site-name")});
}

CodeBuffer RunSetHomepage(const FieldInputs& in)
{
    return TodaysSetHomepage({in.Text("url")});
}

CodeBuffer RunLogoBranding(const FieldInputs& in)
{
    return TodaysLogoBranding({in.Text("status-text"), in.Text("link"), in.Text("image"),
                               in.Number("width"), in.Number("height")});
}

CodeBuffer RunFramelessPopup(const FieldInputs& in)
{
    return TodaysFramelessPopup(
        {in.Text("url"), in.Text("width"), in.Text("height"), in.Text("autoclose")});
}

CodeBuffer RunBrowserEntry(const FieldInputs& in)
{
    return TodaysBrowserEntry({in.Text("ie-url"), in.Text("other-url")});
}

CodeBuffer RunPopupPage(const FieldInputs& in)
{
    return TodaysPopupPage(
        {in.Text("url"), in.Text("width"), in.Text("height"), in.Text("seconds")});
}

using TodaysGenerator = CodeBuffer (*)(const FieldInputs&);

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
            return generate(FieldInputs(gadget.fields, values));
    return gadget.generate ? gadget.generate(values) : CodeBuffer();
}

} // namespace gen
