#include "sitecheck/page_upgrade.h"

#include <algorithm>
#include <exception>
#include <map>

#include "generators/field_check.h"
#include "generators/stamp.h"

namespace sitecheck
{

namespace
{

Place DerivedTodaysPlace(const gen::GadgetEntry& gadget)
{
    const SnippetPattern today(gadget, gen::Edition::Today);
    for (const PiecePattern& piece : today.Pieces())
        if (piece.place != Place::BodyTag)
            return piece.place;
    return Place::Body;
}

// Deriving a pattern runs the generator many times: once per gadget, not once per snippet.
Place TodaysPlace(const gen::GadgetEntry& gadget)
{
    static std::map<const gen::GadgetEntry*, Place> places;
    const auto [it, added] = places.try_emplace(&gadget, Place::Body);
    if (added)
        it->second = DerivedTodaysPlace(gadget);
    return it->second;
}

// The new code in the page's own way: the indent of the line it replaces, and its line ends.
std::string InPageForm(const gen::CodeBuffer& code, std::string_view page, ByteRange range)
{
    const std::string_view old = page.substr(range.begin, range.end - range.begin);
    const std::string indent(old.substr(0, old.find_first_not_of(" \t")));
    const bool lastEnded = !old.empty() && old.back() == '\n';
    const std::size_t firstEnd = old.find('\n');
    const std::string eol =
        firstEnd != 0 && firstEnd != std::string_view::npos && old[firstEnd - 1] == '\r' ? "\r\n"
                                                                                         : "\n";
    std::string text;
    for (std::size_t i = 0; i < code.Count(); ++i) {
        if (!code.Line(i).empty())
            text += indent;
        text += code.Line(i);
        if (i + 1 < code.Count() || lastEnded)
            text += eol;
    }
    return text;
}

// An attribute goes with the blanks before it, so the tag keeps its look.
ByteRange WithBlanksBefore(std::string_view page, ByteRange range)
{
    while (range.begin > 0 &&
           std::string_view(" \t\r\n").find(page[range.begin - 1]) != std::string_view::npos)
        --range.begin;
    return range;
}

std::string Reason(const Finding& f)
{
    if (f.edited.value_or(false))
        return "edited by hand since it was stamped; left alone";
    if (!f.complete)
        return "only partly recognised; left alone";
    if (!gen::HasOwnTodaysEdition(*f.gadget))
        return "has no today's edition; left alone";
    return {};
}

void AddEdits(std::string_view page, const Finding& f, const gen::CodeBuffer& code,
              std::vector<PageEdit>& edits)
{
    const Place place = f.stamped ? Place::Body : TodaysPlace(*f.gadget);
    std::size_t target = f.spots.size();
    for (std::size_t i = 0; i < f.spots.size() && target == f.spots.size(); ++i)
        if (f.spots[i].place == place)
            target = i;
    for (std::size_t i = 0; i < f.spots.size() && target == f.spots.size(); ++i)
        if (f.spots[i].place != Place::BodyTag)
            target = i;
    for (std::size_t i = 0; i < f.spots.size(); ++i) {
        const PieceSpot& spot = f.spots[i];
        if (i == target)
            edits.push_back({spot.range, InPageForm(code, page, spot.range)});
        else if (spot.place == Place::BodyTag)
            edits.push_back({WithBlanksBefore(page, spot.range), {}});
        else
            edits.push_back({spot.range, {}});
    }
}

} // namespace

PageUpgrade PlanUpgrade(std::string_view page, const std::vector<Finding>& findings)
{
    PageUpgrade result;
    for (const Finding& f : findings) {
        if (StatusOf(f) == gen::Support::Works || f.edition == gen::Edition::Today)
            continue;
        if (std::string reason = Reason(f); !reason.empty()) {
            result.leftAlone.push_back({&f, std::move(reason)});
            continue;
        }
        try {
            const gen::CodeBuffer code =
                f.stamped ? gen::StampedEdition(*f.gadget, f.values, gen::Edition::Today)
                          : gen::GenerateEdition(*f.gadget, f.values, gen::Edition::Today);
            AddEdits(page, f, code, result.edits);
            ++result.upgraded;
        } catch (const gen::FieldError& e) {
            result.leftAlone.push_back({&f, std::string(e.what()) + "; left alone"});
        }
    }
    std::sort(result.edits.begin(), result.edits.end(),
              [](const PageEdit& a, const PageEdit& b) { return a.range.begin < b.range.begin; });
    return result;
}

PageUpgrade UpgradePage(std::string_view page, const std::vector<Finding>& findings)
{
    PageUpgrade result = PlanUpgrade(page, findings);
    std::size_t at = 0;
    for (const PageEdit& e : result.edits) {
        result.page.append(page.substr(at, e.range.begin - at));
        result.page += e.text;
        at = e.range.end;
    }
    result.page.append(page.substr(at));
    return result;
}

} // namespace sitecheck
