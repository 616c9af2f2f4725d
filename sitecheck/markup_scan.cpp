#include "sitecheck/markup_scan.h"

#include <algorithm>
#include <array>
#include <string>
#include <unordered_map>

namespace sitecheck
{

namespace
{

// Nesting beyond this is not followed: the estimate only has to tell a page too deep for a
// full parse, and a bound keeps its memory from growing with the page.
constexpr std::size_t kTrackedDepth = 4096;

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool IsBlank(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), IsSpace);
}

// Elements without content, and those the next of their kind closes: a parser never nests
// them deeper.
bool NeverNests(std::string_view name)
{
    static constexpr std::array<std::string_view, 32> kNames = {
        "area",  "base",  "br",     "col",      "embed", "hr",   "img",  "input",
        "link",  "meta",  "param",  "source",   "track", "wbr",  "p",    "li",
        "dt",    "dd",    "option", "optgroup", "tr",    "td",   "th",   "thead",
        "tbody", "tfoot", "rt",     "rp",       "html",  "head", "body", "colgroup"};
    return std::find(kNames.begin(), kNames.end(), name) != kNames.end();
}

bool IsFormatting(std::string_view name)
{
    static constexpr std::array<std::string_view, 14> kNames = {
        "a",    "b", "big",   "code",   "em",     "font", "i",
        "nobr", "s", "small", "strike", "strong", "tt",   "u"};
    return std::find(kNames.begin(), kNames.end(), name) != kNames.end();
}

enum class Content { Markup, Code, Shown };

// Elements whose content runs as text up to their own end tag; <noscript> and <template> are
// taken so too, as nothing in them runs. A style sheet applies as a script runs, so its text is
// live code as a script's is.
Content ContentOf(std::string_view name)
{
    static constexpr std::array<std::string_view, 9> kShown = {"textarea", "title",    "xmp",
                                                               "iframe",   "noembed",  "noframes",
                                                               "noscript", "template", "plaintext"};
    if (name == "script" || name == "style")
        return Content::Code;
    return std::find(kShown.begin(), kShown.end(), name) != kShown.end() ? Content::Shown
                                                                         : Content::Markup;
}

class Scanner
{
public:
    Scanner(std::string_view page, MarkupScan& out) : page_(page), out_(out) {}

    void Run()
    {
        std::size_t text = 0;
        for (std::size_t at = page_.find('<'); at != std::string_view::npos;
             at = page_.find('<', at)) {
            const std::size_t end = Markup(at);
            if (end == at) {
                ++at;
                continue;
            }
            Text(text, at);
            at = text = end;
            if (at >= page_.size())
                break;
        }
        Text(text, page_.size());
    }

private:
    // What markup starts at `at` ('<'): returns where it ends, or `at` when it is text.
    std::size_t Markup(std::size_t at)
    {
        const std::string_view rest = page_.substr(at);
        if (rest.starts_with("<!--"))
            return Comment(at);
        if (rest.size() < 2)
            return at;
        if (rest[1] == '!' || rest[1] == '?') {
            const std::size_t end = After(page_.find('>', at));
            const bool doctype = LowerCase(rest.substr(0, 9)) == "<!doctype";
            if (!doctype)
                AddComment(at, end);
            return end;
        }
        if (rest[1] == '/' && rest.size() > 2 && IsLetter(rest[2]))
            return EndTag(at);
        if (IsLetter(rest[1]))
            return StartTag(at);
        return at;
    }

    std::size_t After(std::size_t found, std::size_t length = 1) const
    {
        return found == std::string_view::npos ? page_.size() : found + length;
    }

    std::size_t Comment(std::size_t at)
    {
        const std::size_t body = at + 4;
        std::size_t end = 0;
        if (page_.substr(body, 1) == ">")
            end = body + 1;
        else if (page_.substr(body, 2) == "->")
            end = body + 2;
        else
            end = After(page_.find("-->", body), 3);
        AddComment(at, end);
        return end;
    }

    void AddComment(std::size_t begin, std::size_t end)
    {
        ++out_.nodes;
        out_.comments.push_back({begin, end});
        out_.dead.push_back({begin, end});
    }

    void Text(std::size_t begin, std::size_t end)
    {
        // Blank text is no node of its own worth keeping, as in the full parse.
        if (end > begin && !IsBlank(page_.substr(begin, end - begin))) {
            ++out_.nodes;
            out_.dead.push_back({begin, end});
        }
    }

    std::string NameAt(std::size_t& at) const
    {
        const std::size_t begin = at;
        while (at < page_.size() && !IsSpace(page_[at]) && page_[at] != '/' && page_[at] != '>')
            ++at;
        return LowerCase(page_.substr(begin, at - begin));
    }

    // Reads attributes up to the tag's '>'; returns where the tag ends.
    std::size_t Attributes(std::size_t at, std::vector<TagAttribute>* attributes) const
    {
        while (at < page_.size()) {
            const char c = page_[at];
            if (c == '>')
                return at + 1;
            if (IsSpace(c) || c == '/') {
                ++at;
                continue;
            }
            TagAttribute a = Attribute(at);
            if (attributes)
                attributes->push_back(std::move(a));
        }
        return page_.size();
    }

    TagAttribute Attribute(std::size_t& at) const
    {
        TagAttribute a;
        const std::size_t nameBegin = at++;
        while (at < page_.size() && !IsSpace(page_[at]) && page_[at] != '/' && page_[at] != '>' &&
               page_[at] != '=')
            ++at;
        a.name = LowerCase(page_.substr(nameBegin, at - nameBegin));
        a.whole = {nameBegin, at};
        a.value = {at, at};
        std::size_t v = at;
        while (v < page_.size() && IsSpace(page_[v]))
            ++v;
        if (v >= page_.size() || page_[v] != '=')
            return a;
        for (++v; v < page_.size() && IsSpace(page_[v]);)
            ++v;
        if (v < page_.size() && (page_[v] == '"' || page_[v] == '\'')) {
            const std::size_t close = page_.find(page_[v], v + 1);
            at = After(close);
            a.value = {v + 1, std::min(close, page_.size())};
        } else {
            for (at = v; at < page_.size() && !IsSpace(page_[at]) && page_[at] != '>';)
                ++at;
            a.value = {v, at};
        }
        a.whole.end = at;
        return a;
    }

    std::size_t EndTag(std::size_t at)
    {
        std::size_t name = at + 2;
        const std::string tag = NameAt(name);
        const std::size_t end = Attributes(name, nullptr);
        if (tag == "head" && !out_.headEnd)
            out_.headEnd = ByteRange{at, end};
        Close(tag);
        return end;
    }

    std::size_t StartTag(std::size_t at)
    {
        std::size_t name = at + 1;
        const std::string tag = NameAt(name);
        std::vector<TagAttribute> attributes;
        const bool body = tag == "body" && !out_.bodyStart;
        const std::size_t end = Attributes(name, body ? &attributes : nullptr);
        ++out_.nodes;
        if (tag == "head" && !out_.headStart)
            out_.headStart = ByteRange{at, end};
        if (body) {
            out_.bodyStart = ByteRange{at, end};
            out_.bodyAttributes = std::move(attributes);
        }
        Open(tag);
        const Content content = ContentOf(tag);
        if (content == Content::Markup)
            return end;
        const std::size_t close = tag == "plaintext" ? page_.size() : EndTagOf(tag, end);
        if (content == Content::Shown)
            Text(end, close);
        return close;
    }

    // Where the end tag of `tag` next stands from `from`, or the page's end.
    std::size_t EndTagOf(std::string_view tag, std::size_t from) const
    {
        for (std::size_t at = page_.find("</", from); at != std::string_view::npos;
             at = page_.find("</", at + 2)) {
            const std::size_t after = at + 2 + tag.size();
            if (LowerCase(page_.substr(at + 2, tag.size())) == tag &&
                (after >= page_.size() || IsSpace(page_[after]) || page_[after] == '/' ||
                 page_[after] == '>'))
                return at;
        }
        return page_.size();
    }

    void Open(const std::string& tag)
    {
        if (NeverNests(tag) || open_.size() >= kTrackedDepth)
            return;
        where_[tag].push_back(open_.size());
        open_.push_back(tag);
        out_.deepest = std::max(out_.deepest, open_.size());
        if (IsFormatting(tag))
            out_.formatting = std::max(out_.formatting, ++formatting_);
    }

    // An end tag closes the latest open element of its name and all opened after it; one with
    // no such element open is dropped.
    void Close(const std::string& tag)
    {
        const auto it = where_.find(tag);
        if (it == where_.end() || it->second.empty())
            return;
        const std::size_t keep = it->second.back();
        while (open_.size() > keep) {
            where_[open_.back()].pop_back();
            formatting_ -= IsFormatting(open_.back()) ? 1 : 0;
            open_.pop_back();
        }
    }

    std::string_view page_;
    MarkupScan& out_;
    std::vector<std::string> open_;
    std::size_t formatting_ = 0; // of open_
    std::unordered_map<std::string, std::vector<std::size_t>> where_;
};

} // namespace

MarkupScan ScanMarkup(std::string_view page)
{
    MarkupScan out;
    Scanner(page, out).Run();
    return out;
}

} // namespace sitecheck
