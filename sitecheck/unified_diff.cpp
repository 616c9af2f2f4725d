#include "sitecheck/unified_diff.h"

#include <algorithm>
#include <sstream>

#include "platform/quoted_name.h"

namespace sitecheck
{

namespace
{

constexpr std::size_t kContext = 3;

// Edits widened to whole lines: old lines [first, last] become the lines of the page there with
// edits [e0, e1) made. Only places are kept: the new lines are written from the page and the
// edits as the hunk goes out, never held whole.
struct Change {
    std::size_t first, last;
    std::size_t e0, e1;
};

class Lines
{
public:
    explicit Lines(std::string_view page) : page_(page)
    {
        for (std::size_t at = 0; at < page.size();
             at = std::min(page.find('\n', at), page.size()) + 1)
            starts_.push_back(at);
    }
    std::size_t Count() const { return starts_.size(); }
    std::size_t Containing(std::size_t offset) const
    {
        return static_cast<std::size_t>(std::upper_bound(starts_.begin(), starts_.end(), offset) -
                                        starts_.begin()) -
               1;
    }
    std::size_t Start(std::size_t line) const
    {
        return line < starts_.size() ? starts_[line] : page_.size();
    }
    std::string_view Text(std::size_t line) const
    {
        std::string_view t = page_.substr(Start(line), Start(line + 1) - Start(line));
        return t.empty() || t.back() != '\n' ? t : t.substr(0, t.size() - 1);
    }

private:
    std::string_view page_;
    std::vector<std::size_t> starts_;
};

std::vector<Change> Changes(const Lines& lines, const std::vector<PageEdit>& edits)
{
    std::vector<Change> out;
    for (std::size_t i = 0; i < edits.size(); ++i) {
        const ByteRange r = edits[i].range;
        const std::size_t first = lines.Containing(r.begin);
        const std::size_t last = lines.Containing(std::max(r.begin, r.end - 1));
        // Two edits on one line (a BODY-tag attribute beside code) form one change.
        if (!out.empty() && first <= out.back().last) {
            out.back().last = std::max(out.back().last, last);
            out.back().e1 = i + 1;
        } else {
            out.push_back({first, last, i, i + 1});
        }
    }
    return out;
}

// Hands the new text of a change to `visit`, piece by piece: the page between the edits, and
// each edit's text.
template <typename Visit>
void ForEachNewPiece(std::string_view page, const Lines& lines, const std::vector<PageEdit>& edits,
                     const Change& c, Visit&& visit)
{
    std::size_t at = lines.Start(c.first);
    for (std::size_t i = c.e0; i < c.e1; ++i) {
        visit(page.substr(at, edits[i].range.begin - at));
        visit(std::string_view(edits[i].text));
        at = edits[i].range.end;
    }
    visit(page.substr(at, lines.Start(c.last + 1) - at));
}

std::size_t NewLineCount(std::string_view page, const Lines& lines,
                         const std::vector<PageEdit>& edits, const Change& c)
{
    std::size_t count = 0;
    bool open = false; // a line begun and not yet ended
    ForEachNewPiece(page, lines, edits, c, [&](std::string_view piece) {
        for (const char ch : piece) {
            count += !open;
            open = ch != '\n';
        }
    });
    return count;
}

void WriteNewLines(std::string_view page, const Lines& lines, const std::vector<PageEdit>& edits,
                   const Change& c, std::ostream& out)
{
    bool open = false;
    ForEachNewPiece(page, lines, edits, c, [&](std::string_view piece) {
        while (!piece.empty()) {
            if (!open)
                out << '+';
            const std::size_t end = std::min(piece.find('\n'), piece.size() - 1);
            out.write(piece.data(), static_cast<std::streamsize>(end + 1));
            open = piece[end] != '\n';
            piece.remove_prefix(end + 1);
        }
    });
    if (open)
        out << '\n';
}

struct DiffInput {
    std::string_view page;
    const Lines& lines;
    const std::vector<PageEdit>& edits;
    const std::vector<Change>& changes;
};

void Line(std::ostream& out, char mark, std::string_view text)
{
    out << mark;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out << '\n';
}

// The counts go first in a hunk's header, so they are taken from the places before the lines
// are written.
void Hunk(const DiffInput& in, std::size_t from, std::size_t to, long& shift, std::ostream& out)
{
    const std::vector<Change>& changes = in.changes;
    const std::size_t begin = changes[from].first > kContext ? changes[from].first - kContext : 0;
    const std::size_t end = std::min(changes[to].last + 1 + kContext, in.lines.Count());
    const std::size_t oldCount = end - begin;
    std::size_t newCount = oldCount;
    for (std::size_t i = from; i <= to; ++i)
        newCount = newCount - (changes[i].last + 1 - changes[i].first) +
                   NewLineCount(in.page, in.lines, in.edits, changes[i]);
    out << "@@ -" << begin + 1 << ',' << oldCount << " +" << static_cast<long>(begin) + 1 + shift
        << ',' << newCount << " @@\n";
    std::size_t at = begin;
    for (std::size_t i = from; i <= to; ++i) {
        for (; at < changes[i].first; ++at)
            Line(out, ' ', in.lines.Text(at));
        for (; at <= changes[i].last; ++at)
            Line(out, '-', in.lines.Text(at));
        WriteNewLines(in.page, in.lines, in.edits, changes[i], out);
    }
    for (; at < end; ++at)
        Line(out, ' ', in.lines.Text(at));
    // Later hunks start where the lines of the new page stand after this one's change.
    shift += static_cast<long>(newCount) - static_cast<long>(oldCount);
}

} // namespace

void WriteUnifiedDiff(std::ostream& out, std::string_view page, const std::vector<PageEdit>& edits,
                      const std::string& path)
{
    if (edits.empty())
        return;
    const Lines lines(page);
    const std::vector<Change> changes = Changes(lines, edits);
    // A name holding a line break must not end the header early.
    const std::string name = platform::ShellQuotedName(path);
    out << "--- " << name << "\n+++ " << name << "\n";
    const DiffInput in{page, lines, edits, changes};
    std::size_t from = 0;
    long shift = 0;
    for (std::size_t i = 0; i < changes.size(); ++i)
        if (i + 1 == changes.size() || changes[i + 1].first > changes[i].last + 2 * kContext + 1) {
            Hunk(in, from, i, shift, out);
            from = i + 1;
        }
}

std::string UnifiedDiff(std::string_view page, const std::vector<PageEdit>& edits,
                        const std::string& path)
{
    std::ostringstream out;
    WriteUnifiedDiff(out, page, edits, path);
    return out.str();
}

} // namespace sitecheck
