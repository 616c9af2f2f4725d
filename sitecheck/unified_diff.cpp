#include "sitecheck/unified_diff.h"

#include <algorithm>

#include "platform/quoted_name.h"

namespace sitecheck
{

namespace
{

constexpr std::size_t kContext = 3;

// An edit widened to whole lines: old lines [first, last] become `lines`.
struct Change {
    std::size_t first, last;
    std::vector<std::string_view> lines;
    std::string text; // what `lines` point into
};

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> out;
    for (std::size_t begin = 0; begin < text.size();) {
        const std::size_t end = std::min(text.find('\n', begin), text.size());
        out.push_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
    return out;
}

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

std::vector<Change> Changes(std::string_view page, const Lines& lines,
                            const std::vector<PageEdit>& edits)
{
    std::vector<Change> out;
    for (const PageEdit& e : edits) {
        const std::size_t first = lines.Containing(e.range.begin);
        const std::size_t last = lines.Containing(std::max(e.range.begin, e.range.end - 1));
        if (!out.empty() && first <= out.back().last) {
            // Two edits on one line (a BODY-tag attribute beside code) form one change.
            Change& c = out.back();
            c.text = c.text.substr(0, c.text.size() - (lines.Start(c.last + 1) - e.range.begin));
            c.text += e.text;
            c.text.append(page.substr(e.range.end, lines.Start(last + 1) - e.range.end));
            c.last = last;
        } else {
            std::string text(page.substr(lines.Start(first), e.range.begin - lines.Start(first)));
            text += e.text;
            text.append(page.substr(e.range.end, lines.Start(last + 1) - e.range.end));
            out.push_back({first, last, {}, std::move(text)});
        }
    }
    for (Change& c : out)
        c.lines = SplitLines(c.text);
    return out;
}

void Hunk(const Lines& lines, const std::vector<Change>& changes, std::size_t from, std::size_t to,
          long& shift, std::string& out)
{
    const std::size_t begin = changes[from].first > kContext ? changes[from].first - kContext : 0;
    const std::size_t end = std::min(changes[to].last + 1 + kContext, lines.Count());
    std::string body;
    std::size_t oldCount = 0, newCount = 0, at = begin;
    for (std::size_t i = from; i <= to; ++i) {
        for (; at < changes[i].first; ++at, ++oldCount, ++newCount)
            body.append(" ").append(lines.Text(at)).append("\n");
        for (; at <= changes[i].last; ++at, ++oldCount)
            body.append("-").append(lines.Text(at)).append("\n");
        for (const std::string_view line : changes[i].lines)
            body.append("+").append(line).append("\n");
        newCount += changes[i].lines.size();
    }
    for (; at < end; ++at, ++oldCount, ++newCount)
        body.append(" ").append(lines.Text(at)).append("\n");
    out += "@@ -" + std::to_string(begin + 1) + "," + std::to_string(oldCount) + " +" +
           std::to_string(static_cast<long>(begin) + 1 + shift) + "," + std::to_string(newCount) +
           " @@\n" + body;
    // Later hunks start where the lines of the new page stand after this one's change.
    shift += static_cast<long>(newCount) - static_cast<long>(oldCount);
}

} // namespace

std::string UnifiedDiff(std::string_view page, const std::vector<PageEdit>& edits,
                        const std::string& path)
{
    if (edits.empty())
        return {};
    const Lines lines(page);
    const std::vector<Change> changes = Changes(page, lines, edits);
    // A name holding a line break must not end the header early.
    const std::string name = platform::ShellQuotedName(path);
    std::string out = "--- " + name + "\n+++ " + name + "\n";
    std::size_t from = 0;
    long shift = 0;
    for (std::size_t i = 0; i < changes.size(); ++i)
        if (i + 1 == changes.size() || changes[i + 1].first > changes[i].last + 2 * kContext + 1) {
            Hunk(lines, changes, from, i, shift, out);
            from = i + 1;
        }
    return out;
}

} // namespace sitecheck
