#include "sitecheck/pattern_set.h"

#include <exception>
#include <optional>
#include <utility>

namespace sitecheck
{

namespace
{

// Choices multiply; past this many tried together the rest is left to the patterns so far.
constexpr std::size_t kMostCombinations = 256;

std::optional<std::string> Generated(const gen::GadgetEntry& g, const gen::FieldValues& values,
                                     gen::Edition edition)
{
    try {
        return gen::GenerateEdition(g, values, edition).TextForm();
    } catch (const std::exception&) {
        // A choice the edition refuses makes no snippet to find.
        return std::nullopt;
    }
}

gen::FieldValues ValuesOf(const gen::GadgetEntry& gadget, const SnippetPattern::Pins& pins)
{
    gen::FieldValues values = gen::DefaultValues(gadget);
    for (std::size_t i = 0; i < values.size(); ++i)
        if (pins[i])
            values[i] = *pins[i];
    return values;
}

} // namespace

std::vector<SnippetPattern> PatternsOf(const gen::GadgetEntry& gadget, gen::Edition edition,
                                       const ReadsBack& reads)
{
    std::vector<SnippetPattern> out{SnippetPattern(gadget, edition)};
    // Each choice is tried with every combination tried before, so that two fields that both
    // pick a template are found in every pairing.
    std::vector<SnippetPattern::Pins> tried{SnippetPattern::Pins(gadget.fields.size())};
    for (std::size_t i = 0; i < gadget.fields.size(); ++i) {
        if (gadget.fields[i].kind != gen::FieldKind::Choice)
            continue;
        const std::size_t before = tried.size();
        for (std::size_t t = 0; t < before && tried.size() < kMostCombinations; ++t)
            for (const std::string& choice : Choices(gadget.fields[i].choices)) {
                SnippetPattern::Pins pins = tried[t];
                pins[i] = choice;
                const gen::FieldValues values = ValuesOf(gadget, pins);
                const std::optional<std::string> snippet = Generated(gadget, values, edition);
                if (!snippet)
                    continue;
                tried.push_back(pins);
                if (!reads(out, *snippet, values))
                    out.emplace_back(gadget, edition, std::move(pins));
            }
    }
    return out;
}

} // namespace sitecheck
