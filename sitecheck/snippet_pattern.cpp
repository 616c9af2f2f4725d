#include "sitecheck/snippet_pattern.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <utility>

#include "sitecheck/page_structure.h"

namespace sitecheck
{

struct SnippetPattern::Slot {
    std::size_t pos;
    std::size_t size;
    int field;
    Splice splice = Splice::Verbatim;
};

namespace
{

using Slot = SnippetPattern::Slot;

// Shows in the spliced text which escaping a field gets: each splice turns it into another text.
constexpr std::string_view kProbe = "Pq\"'<&\\>Pq";

using Lines = std::vector<std::string>;

std::optional<Lines> Generated(const gen::GadgetEntry& g, const gen::FieldValues& values,
                               gen::Edition edition)
{
    try {
        return gen::GenerateEdition(g, values, edition).Lines();
    } catch (const std::exception&) {
        // A value the field refuses just rules that value out as a marker.
        return std::nullopt;
    }
}

// Where `va` stands in `a` in each place that `b` holds `vb` instead, the lines being equal
// elsewhere.
std::vector<std::size_t> Spans(std::string_view a, std::string_view b, std::string_view va,
                               std::string_view vb)
{
    std::vector<std::size_t> out;
    std::size_t ia = 0, ib = 0;
    for (;;) {
        std::size_t n = 0;
        while (ia + n < a.size() && ib + n < b.size() && a[ia + n] == b[ib + n])
            ++n;
        if (ia + n == a.size() && ib + n == b.size())
            return out;
        const std::size_t d = ia + n;
        std::optional<std::size_t> found;
        for (std::size_t s = d + 1 >= ia + va.size() ? d + 1 - va.size() : ia; s <= d && !found;
             ++s)
            if (a.substr(s, va.size()) == va && b.substr(ib + (s - ia), vb.size()) == vb)
                found = s;
        if (!found)
            return out;
        out.push_back(*found);
        ib += *found - ia + vb.size();
        ia = *found + va.size();
    }
}

LinePattern PatternOf(std::string_view line, std::size_t from, std::size_t to,
                      const std::vector<Slot>& slots)
{
    LinePattern pattern;
    const auto literal = [&](std::size_t a, std::size_t b) {
        if (b > a)
            pattern.parts.push_back({LowerCase(line.substr(a, b - a)), -1, Splice::Verbatim});
    };
    std::size_t at = from;
    for (const Slot& s : slots) {
        if (s.pos < from || s.pos + s.size > to)
            continue;
        literal(at, s.pos);
        pattern.parts.push_back({{}, s.field, s.splice});
        at = s.pos + s.size;
    }
    literal(at, to);
    return pattern;
}

std::pair<std::size_t, std::size_t> TrimmedRange(std::string_view line)
{
    const std::string_view t = TrimBlanks(line);
    const std::size_t from = t.empty() ? 0 : static_cast<std::size_t>(t.data() - line.data());
    return {from, from + t.size()};
}

std::optional<Place> PlaceNamedIn(std::string_view comment)
{
    if (comment.find("HEAD of") != std::string_view::npos)
        return Place::Head;
    if (comment.find("BODY of") != std::string_view::npos)
        return Place::Body;
    return std::nullopt;
}

} // namespace

std::vector<std::string> Choices(std::string_view list)
{
    std::vector<std::string> out;
    while (!list.empty()) {
        const std::size_t end = std::min(list.find('\n'), list.size());
        out.emplace_back(list.substr(0, end));
        list.remove_prefix(std::min(end + 1, list.size()));
    }
    return out;
}

std::string_view TrimBlanks(std::string_view text)
{
    constexpr std::string_view kBlanks = " \t\r";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return text.substr(0, 0);
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::optional<std::vector<std::string>> MatchLine(const LinePattern& pattern, std::string_view text)
{
    std::string lower = LowerCase(text);
    std::vector<std::string> captures;
    std::size_t pos = 0;
    bool pending = false;
    for (std::size_t i = 0; i < pattern.parts.size(); ++i) {
        const LinePart& part = pattern.parts[i];
        if (part.field >= 0) {
            if (pending)
                captures.emplace_back();
            pending = true;
            continue;
        }
        const std::string& lit = part.literal;
        std::size_t at = pos;
        if (pending && i + 1 == pattern.parts.size())
            at = lower.size() >= pos + lit.size() ? lower.size() - lit.size() : std::string::npos;
        else if (pending)
            at = lower.find(lit, pos);
        if (at == std::string::npos || lower.compare(at, lit.size(), lit) != 0)
            return std::nullopt;
        if (pending)
            captures.emplace_back(text.substr(pos, at - pos));
        pos = at + lit.size();
        pending = false;
    }
    if (pending) {
        captures.emplace_back(text.substr(pos));
        pos = text.size();
    }
    if (pos != text.size())
        return std::nullopt;
    return captures;
}

SnippetPattern::SnippetPattern(const gen::GadgetEntry& gadget, gen::Edition edition, Pins pins)
    : gadget_(&gadget), edition_(edition), pins_(std::move(pins)),
      start_(gen::DefaultValues(gadget))
{
    pins_.resize(start_.size());
    for (std::size_t i = 0; i < start_.size(); ++i)
        if (pins_[i])
            start_[i] = *pins_[i];
    Derive(MarkerValues());
}

// A pinned field stays at its choice, so its text is part of the pattern's fixed text.
gen::FieldValues SnippetPattern::MarkerValues()
{
    gen::FieldValues base = start_;
    candidates_.assign(base.size(), {});
    for (std::size_t i = 0; i < base.size(); ++i) {
        if (pins_[i])
            continue;
        const char tag = static_cast<char>('a' + i % 26);
        const char digit = static_cast<char>('0' + i % 10);
        std::vector<std::string> tries = {std::string("swq") + tag + "zx",
                                          std::string("9715") + digit, std::string("8604") + digit};
        const std::vector<std::string> choices = Choices(gadget_->fields[i].choices);
        tries.insert(tries.end(), choices.begin(), choices.end());
        for (const std::string& value : tries) {
            gen::FieldValues values = start_;
            values[i] = value;
            const std::optional<Lines> lines = Generated(*gadget_, values, edition_);
            const bool choice = std::find(choices.begin(), choices.end(), value) != choices.end();
            if (lines && (choice || gen::TextForm(*lines).find(value) != std::string::npos))
                candidates_[i].push_back(value);
            if (candidates_[i].size() == 2)
                break;
        }
        if (!candidates_[i].empty())
            base[i] = candidates_[i][0];
    }
    return base;
}

void SnippetPattern::Derive(const gen::FieldValues& base)
{
    const std::optional<Lines> b = Generated(*gadget_, base, edition_);
    if (!b)
        return;
    std::vector<std::vector<Slot>> slots(b->size());
    std::vector<std::optional<Lines>> probes(base.size());
    for (std::size_t i = 0; i < base.size(); ++i) {
        if (candidates_[i].size() < 2)
            continue;
        gen::FieldValues values = base;
        values[i] = candidates_[i][1];
        const std::optional<Lines> v = Generated(*gadget_, values, edition_);
        values[i] = std::string(kProbe);
        probes[i] = Generated(*gadget_, values, edition_);
        if (!v || v->size() != b->size())
            continue;
        for (std::size_t k = 0; k < b->size(); ++k)
            for (const std::size_t pos : Spans((*b)[k], (*v)[k], base[i], candidates_[i][1]))
                slots[k].push_back({pos, base[i].size(), static_cast<int>(i)});
    }
    for (std::size_t k = 0; k < b->size(); ++k) {
        std::sort(slots[k].begin(), slots[k].end(),
                  [](const Slot& x, const Slot& y) { return x.pos < y.pos; });
        ClassifySplices((*b)[k], k, slots[k], probes);
    }
    BuildPieces(*b, slots);
}

void SnippetPattern::ClassifySplices(std::string_view line, std::size_t k, std::vector<Slot>& slots,
                                     const std::vector<std::optional<Lines>>& probes)
{
    const auto [from, to] = TrimmedRange(line);
    const LinePattern pattern = PatternOf(line, from, to, slots);
    for (std::size_t i = 0; i < probes.size(); ++i) {
        if (!probes[i] || probes[i]->size() <= k)
            continue;
        const auto captures = MatchLine(pattern, TrimBlanks((*probes[i])[k]));
        if (!captures || captures->size() != slots.size())
            continue;
        for (std::size_t j = 0; j < slots.size(); ++j)
            if (slots[j].field == static_cast<int>(i))
                slots[j].splice = SpliceOf(kProbe, (*captures)[j]);
    }
}

void SnippetPattern::BuildPieces(const Lines& lines, const std::vector<std::vector<Slot>>& slots)
{
    std::string text;
    std::vector<std::size_t> begins;
    for (const std::string& line : lines) {
        begins.push_back(text.size());
        text += line + "\n";
    }
    // The generator's own output, read by the same parser as the pages, says which lines are
    // instructions (comments) and which are the page's HEAD and BODY tags.
    const PageStructure s(text);
    Place place = Place::Body;
    bool open = false;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const auto [from, to] = TrimmedRange(lines[k]);
        const std::size_t at = begins[k] + from;
        const auto tagHere = [at](const std::optional<ByteRange>& r) {
            return r && r->begin == at;
        };
        if (from == to)
            continue;
        open = open && !s.InComment(at) && !tagHere(s.HeadStartTag()) && !tagHere(s.HeadEndTag()) &&
               !tagHere(s.BodyStartTag());
        if (s.InComment(at)) {
            place = PlaceNamedIn(lines[k]).value_or(place);
        } else if (tagHere(s.HeadStartTag()) || tagHere(s.HeadEndTag())) {
            place = tagHere(s.HeadStartTag()) ? Place::Head : Place::Body;
        } else if (tagHere(s.BodyStartTag())) {
            AddBodyTag(lines[k], begins[k], s, slots[k]);
            place = Place::Body;
        } else {
            if (!open)
                pieces_.push_back({place, {}, {}});
            open = true;
            pieces_.back().lines.push_back(PatternOf(lines[k], from, to, slots[k]));
        }
    }
    CollectMarkers();
}

void SnippetPattern::AddBodyTag(std::string_view line, std::size_t begin, const PageStructure& s,
                                const std::vector<Slot>& slots)
{
    PiecePattern piece{Place::BodyTag, {}, {}};
    for (const TagAttribute& a : s.BodyAttributes())
        piece.attributes.push_back(
            {a.name, PatternOf(line, a.value.begin - begin, a.value.end - begin, slots)});
    if (!piece.attributes.empty())
        pieces_.push_back(std::move(piece));
}

// A literal between fields counts as well as a whole fixed line, so that a snippet in which
// every line carries a field still has a marker.
void SnippetPattern::CollectMarkers()
{
    for (const PiecePattern& piece : pieces_) {
        const std::string* best = nullptr;
        for (const LinePattern& line : piece.lines)
            for (const LinePart& part : line.parts)
                if (part.field < 0 && (!best || part.literal.size() > best->size()))
                    best = &part.literal;
        if (best)
            markers_.push_back(*best);
    }
}

} // namespace sitecheck
