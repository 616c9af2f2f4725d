#include "sitecheck/page_finder.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>

#include "generators/edition.h"
#include "generators/field_check.h"
#include "generators/stamp.h"
#include "sitecheck/pattern_set.h"

namespace sitecheck
{

namespace
{

void SetValue(Finding& f, std::vector<bool>& set, const LinePart& part, std::string_view spliced)
{
    const auto field = static_cast<std::size_t>(part.field);
    if (field >= f.values.size() || set[field])
        return;
    f.values[field] = ReadBack(spliced, part.splice);
    set[field] = true;
}

// The first spans of the findings made so far, to tell a later match that lies inside one.
class TakenSpans
{
public:
    explicit TakenSpans(const std::vector<Finding>& findings)
    {
        for (const Finding& f : findings)
            spans_.push_back(f.spots.front().range);
        std::sort(spans_.begin(), spans_.end(),
                  [](const ByteRange& a, const ByteRange& b) { return a.begin < b.begin; });
        // Each span's end becomes the furthest end so far, so one look answers for all before.
        for (std::size_t i = 1; i < spans_.size(); ++i)
            spans_[i].end = std::max(spans_[i].end, spans_[i - 1].end);
    }

    bool Holds(std::size_t offset) const
    {
        const auto after =
            std::upper_bound(spans_.begin(), spans_.end(), offset,
                             [](std::size_t o, const ByteRange& r) { return o < r.begin; });
        return after != spans_.begin() && offset < std::prev(after)->end;
    }

private:
    std::vector<ByteRange> spans_;
};

bool CarriesField(const PiecePattern& piece)
{
    for (const AttributePattern& a : piece.attributes)
        for (const LinePart& p : a.value.parts)
            if (p.field >= 0)
                return true;
    return false;
}

// Markup and its script calls are matched as the patterns are, letter case aside.
bool ContainsIgnoringCase(std::string_view text, std::string_view part)
{
    const auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    };
    return std::search(text.begin(), text.end(), part.begin(), part.end(), same) != text.end();
}

// The sum guards the lines, not the values written beside it: a value changed by hand in the
// stamp alone would otherwise be taken at its word, and an upgrade would write it into a page
// that never held it. A classic edition's lines never change from one release to the next, so
// its values must make exactly the lines the sum was taken of; today's editions may change, and
// their stamps are only reported.
bool ValuesMakeTheLines(const Finding& f, std::uint64_t sum)
{
    if (f.edition != gen::Edition::Classic)
        return true;
    try {
        const std::vector<std::string> lines =
            gen::GenerateEdition(*f.gadget, f.values, f.edition).Lines();
        return gen::SnippetSum(std::vector<std::string_view>(lines.begin(), lines.end())) == sum;
    } catch (const gen::FieldError&) {
        return false;
    }
}

} // namespace

gen::Support StatusOf(const Finding& finding)
{
    const gen::Compatibility& c = finding.gadget->compatibility;
    return finding.edition == gen::Edition::Classic ? c.classic : c.today;
}

bool MayHoldSnippet(std::string_view page)
{
    if (page.find(gen::kStampStart) != std::string_view::npos)
        return true;
    // Lower-casing once costs one pass; the marker searches then run at memory speed. The
    // buffer is kept, so checking a site costs no allocation per page.
    thread_local std::string lower;
    lower.resize(page.size());
    std::transform(page.begin(), page.end(), lower.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    for (const SnippetPattern& pattern : PageFinder::Patterns())
        for (const std::string& marker : pattern.Markers())
            if (memmem(lower.data(), lower.size(), marker.data(), marker.size()))
                return true;
    return false;
}

PageFinder::PageFinder(std::string_view page) : PageFinder(page, Patterns()) {}

PageFinder::PageFinder(std::string_view page, const std::vector<SnippetPattern>& patterns)
    : page_(page), patterns_(&patterns), structure_(page)
{
    std::size_t number = 1;
    for (std::size_t begin = 0; begin < page.size(); ++number) {
        const std::size_t end = std::min(page.find('\n', begin), page.size());
        const std::string_view text = TrimBlanks(page.substr(begin, end - begin));
        if (!text.empty())
            lines_.push_back({begin, std::min(end + 1, page.size()), text, number});
        begin = end + 1;
    }
}

std::vector<Finding> PageFinder::Find() const
{
    std::vector<Finding> out;
    FindStamps(out);
    for (const SnippetPattern& pattern : *patterns_)
        FindUnstamped(pattern, out);
    std::sort(out.begin(), out.end(),
              [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return out;
}

const std::vector<SnippetPattern>& PageFinder::Patterns()
{
    // A pattern for another template is kept only when the patterns so far do not read that
    // template's snippet back, so a choice that lands as a value adds nothing.
    static const ReadsBack reads = [](const std::vector<SnippetPattern>& patterns,
                                      const std::string& snippet, const gen::FieldValues& values) {
        const std::vector<Finding> found = PageFinder(snippet, patterns).Find();
        return found.size() == 1 && found[0].values == values;
    };
    static const std::vector<SnippetPattern> patterns = [] {
        std::vector<SnippetPattern> out;
        for (const gen::Edition edition : {gen::Edition::Classic, gen::Edition::Today})
            for (const gen::GadgetEntry& g : gen::GadgetTable())
                if (edition == gen::Edition::Classic || gen::HasOwnTodaysEdition(g))
                    for (SnippetPattern& p : PatternsOf(g, edition, reads))
                        out.push_back(std::move(p));
        return out;
    }();
    return patterns;
}

std::optional<PageFinder::Match> PageFinder::MatchAt(const PiecePattern& piece, std::size_t j) const
{
    if (piece.lines.empty() || j + piece.lines.size() > lines_.size())
        return std::nullopt;
    Match m{j, j + piece.lines.size() - 1, {}};
    for (std::size_t t = 0; t < piece.lines.size(); ++t) {
        const Line& line = lines_[j + t];
        const std::size_t at = static_cast<std::size_t>(line.text.data() - page_.data());
        const auto captures = MatchLine(piece.lines[t], line.text);
        if (!captures || !structure_.IsLive(at))
            return std::nullopt;
        std::size_t c = 0;
        for (const LinePart& part : piece.lines[t].parts)
            if (part.field >= 0)
                m.fields.emplace_back(&part, (*captures)[c++]);
    }
    return m;
}

std::vector<PageFinder::Match> PageFinder::Matches(const PiecePattern& piece) const
{
    std::vector<Match> out;
    const LinePart* first = piece.lines.empty() ? nullptr : &piece.lines[0].parts[0];
    for (std::size_t j = 0; j < lines_.size(); ++j) {
        // Most lines fail on their first bytes; only those that pass are matched in full.
        if (first && first->field < 0 &&
            (lines_[j].text.size() < first->literal.size() ||
             strncasecmp(lines_[j].text.data(), first->literal.data(), first->literal.size()) != 0))
            continue;
        if (std::optional<Match> m = MatchAt(piece, j)) {
            j = m->last;
            out.push_back(std::move(*m));
        }
    }
    return out;
}

bool PageFinder::AddBodyTag(const PiecePattern& piece, Finding& finding) const
{
    std::vector<bool> set(finding.values.size(), false);
    bool any = false;
    for (const AttributePattern& wanted : piece.attributes)
        for (const TagAttribute& a : structure_.BodyAttributes()) {
            const std::string_view value =
                TrimBlanks(page_.substr(a.value.begin, a.value.end - a.value.begin));
            const auto captures =
                a.name == wanted.name ? MatchLine(wanted.value, value) : std::nullopt;
            if (!captures)
                continue;
            std::size_t c = 0;
            for (const LinePart& part : wanted.value.parts)
                if (part.field >= 0)
                    SetValue(finding, set, part, (*captures)[c++]);
            finding.spots.push_back({Place::BodyTag, a.whole});
            any = true;
            break;
        }
    return any;
}

// True when an attribute of the BODY tag that the snippet sets holds one of the snippet's own
// statements among others of the page's, as in onload="init(); setVariables();": the snippet's
// part cannot be taken out of it, and taking out the rest would leave a call to nothing.
bool PageFinder::BodyTagCallsInto(const PiecePattern& piece) const
{
    for (const AttributePattern& wanted : piece.attributes)
        for (const TagAttribute& a : structure_.BodyAttributes()) {
            if (a.name != wanted.name)
                continue;
            const std::string_view value = page_.substr(a.value.begin, a.value.end - a.value.begin);
            for (const LinePart& part : wanted.value.parts) {
                std::string_view rest = part.field < 0 ? std::string_view(part.literal) : "";
                while (!rest.empty()) {
                    const std::size_t end = std::min(rest.find(';'), rest.size());
                    const std::string_view statement = TrimBlanks(rest.substr(0, end));
                    rest.remove_prefix(std::min(end + 1, rest.size()));
                    if (!statement.empty() && ContainsIgnoringCase(value, statement))
                        return true;
                }
            }
        }
    return false;
}

void PageFinder::FindUnstamped(const SnippetPattern& pattern, std::vector<Finding>& out) const
{
    const std::vector<PiecePattern>& pieces = pattern.Pieces();
    std::vector<std::vector<Match>> matches;
    std::size_t main = 0;
    for (std::size_t p = 0; p < pieces.size(); ++p) {
        matches.push_back(Matches(pieces[p]));
        if (pieces[p].lines.size() > pieces[main].lines.size())
            main = p;
    }
    const TakenSpans taken(out);
    for (std::size_t n = 0; n < matches[main].size(); ++n) {
        Finding f;
        f.gadget = &pattern.Gadget();
        f.edition = pattern.Edition();
        f.values = pattern.Start();
        std::vector<bool> set(f.values.size(), false);
        for (std::size_t p = 0; p < pieces.size(); ++p) {
            if (pieces[p].place == Place::BodyTag) {
                // One BODY tag serves the first snippet of its kind only.
                const bool found = n == 0 && AddBodyTag(pieces[p], f);
                const bool entangled = n == 0 && !found && BodyTagCallsInto(pieces[p]);
                f.complete = f.complete && !entangled && (found || !CarriesField(pieces[p]));
                continue;
            }
            if (n >= matches[p].size()) {
                f.complete = false;
                continue;
            }
            const Match& m = matches[p][n];
            for (const auto& [part, spliced] : m.fields)
                SetValue(f, set, *part, spliced);
            f.spots.push_back({pieces[p].place, {lines_[m.first].begin, lines_[m.last].next}});
        }
        std::sort(f.spots.begin(), f.spots.end(), [](const PieceSpot& a, const PieceSpot& b) {
            return a.range.begin < b.range.begin;
        });
        f.line = LineNumberAt(f.spots.front().range.begin);
        if (!taken.Holds(f.spots.front().range.begin))
            out.push_back(std::move(f));
    }
}

void PageFinder::FindStamps(std::vector<Finding>& out) const
{
    for (std::size_t at = page_.find(gen::kStampStart); at != std::string_view::npos;
         at = page_.find(gen::kStampStart, at + 1)) {
        if (!structure_.CommentStartsAt(at))
            continue;
        std::size_t end = std::min(page_.find('\n', at), page_.size());
        const std::optional<gen::Stamp> stamp = gen::ReadStamp(page_.substr(at, end - at));
        const gen::GadgetEntry* gadget = stamp ? gen::FindGadget(stamp->gadget) : nullptr;
        // A stamp of no lines stands before no code: there is nothing to report or replace.
        if (!gadget || stamp->lineCount == 0)
            continue;
        // The lines a stamp claims end at the next stamp, so a claim of more lines than the
        // page holds costs no more than the lines up to it.
        const std::size_t next = page_.find(gen::kStampStart, end);
        const std::size_t stop =
            next == std::string_view::npos ? page_.size() + 1 : LineStart(next);
        std::vector<std::string_view> body;
        for (std::size_t begin = end + 1; body.size() < stamp->lineCount && begin < stop;
             begin = end + 1) {
            end = std::min(page_.find('\n', begin), page_.size());
            body.push_back(page_.substr(begin, end - begin));
        }
        const std::size_t lineStart = LineStart(at);
        Finding f;
        f.gadget = gadget;
        f.edition = stamp->edition;
        f.values = *gen::StampedValues(*stamp);
        f.stamped = true;
        f.edited = body.size() < stamp->lineCount || gen::SnippetSum(body) != stamp->sum ||
                   !ValuesMakeTheLines(f, stamp->sum);
        f.spots.push_back({Place::Body, {lineStart, std::min(end + 1, page_.size())}});
        f.line = LineNumberAt(at);
        out.push_back(std::move(f));
    }
}

std::size_t PageFinder::LineStart(std::size_t offset) const
{
    const std::size_t before = offset == 0 ? std::string_view::npos : page_.rfind('\n', offset - 1);
    return before == std::string_view::npos ? 0 : before + 1;
}

std::size_t PageFinder::LineNumberAt(std::size_t offset) const
{
    // The lines holding more than blanks carry their numbers; only blank lines between the
    // nearest of them and the offset are counted.
    const auto after = std::upper_bound(lines_.begin(), lines_.end(), offset,
                                        [](std::size_t o, const Line& l) { return o < l.begin; });
    const std::size_t from = after == lines_.begin() ? 0 : std::prev(after)->begin;
    const std::size_t number = after == lines_.begin() ? 1 : std::prev(after)->number;
    return number +
           static_cast<std::size_t>(std::count(page_.begin() + static_cast<long>(from),
                                               page_.begin() + static_cast<long>(offset), '\n'));
}

} // namespace sitecheck
