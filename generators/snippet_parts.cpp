#include "generators/snippet_parts.h"

#include <algorithm>
#include <cctype>
#include <cstddef>

namespace gen
{

namespace
{

char Lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (Lower(text[i]) != prefix[i])
            return false;
    return true;
}

// Where `closing` ("</script") next stands, ignoring case; the end of the text when nowhere.
std::size_t FindNoCase(std::string_view text, std::string_view closing, std::size_t from)
{
    for (std::size_t at = from; at + closing.size() <= text.size(); ++at)
        if (StartsWithNoCase(text.substr(at), closing))
            return at;
    return text.size();
}

// The HTML parser turns CR LF and a lone CR into LF before anything else sees the text.
std::string AsParsed(std::string_view raw)
{
    std::string text;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n')
            continue;
        text.push_back(raw[i] == '\r' ? '\n' : raw[i]);
    }
    return text;
}

struct Attribute {
    std::string name; // lower case
    std::string value;
};

struct StartTag {
    std::string name; // lower case
    std::vector<Attribute> attributes;
    std::size_t end = 0; // just past its '>'
};

std::string TakeWhile(std::string_view html, std::size_t& at, bool (*keep)(char))
{
    std::string taken;
    while (at < html.size() && keep(html[at]))
        taken.push_back(Lower(html[at++]));
    return taken;
}

std::string TakeValue(std::string_view html, std::size_t& at)
{
    while (at < html.size() && IsSpace(html[at]))
        ++at;
    const char quote = at < html.size() ? html[at] : '\0';
    if (quote == '"' || quote == '\'') {
        const std::size_t close = html.find(quote, at + 1);
        const std::size_t end = close == std::string_view::npos ? html.size() : close;
        std::string value(html.substr(at + 1, end - at - 1));
        at = end + 1;
        return value;
    }
    std::string value;
    while (at < html.size() && !IsSpace(html[at]) && html[at] != '>')
        value.push_back(html[at++]);
    return value;
}

// The tag that starts at `at`, just past its '<'.
StartTag ReadStartTag(std::string_view html, std::size_t at)
{
    StartTag tag;
    tag.name = TakeWhile(html, at, [](char c) { return !IsSpace(c) && c != '>' && c != '/'; });
    while (at < html.size() && html[at] != '>') {
        if (IsSpace(html[at]) || html[at] == '/') {
            ++at;
            continue;
        }
        Attribute a;
        a.name = TakeWhile(html, at,
                           [](char c) { return !IsSpace(c) && c != '>' && c != '/' && c != '='; });
        while (at < html.size() && IsSpace(html[at]))
            ++at;
        if (at < html.size() && html[at] == '=')
            a.value = TakeValue(html, ++at);
        tag.attributes.push_back(std::move(a));
    }
    tag.end = std::min(html.size(), at + 1);
    return tag;
}

void NoteAttributes(const StartTag& tag, SnippetParts& parts)
{
    for (const Attribute& a : tag.attributes) {
        std::size_t lead = 0;
        while (lead < a.value.size() && IsSpace(a.value[lead]))
            ++lead;
        if (a.name.starts_with("on") ||
            StartsWithNoCase(std::string_view(a.value).substr(lead), "javascript:"))
            parts.inlineBehaviour = true;
        if (a.name == "style")
            parts.styleAttributes = true;
        if (tag.name == "script" && a.name == "src")
            parts.scriptAddresses.push_back(a.value);
    }
}

bool HasSource(const StartTag& tag)
{
    for (const Attribute& a : tag.attributes)
        if (a.name == "src")
            return true;
    return false;
}

// Notes the element whose start tag begins at `at` and returns where scanning goes on.
std::size_t TakeElement(std::string_view html, std::size_t at, SnippetParts& parts)
{
    const StartTag tag = ReadStartTag(html, at + 1);
    NoteAttributes(tag, parts);
    if (tag.name != "script" && tag.name != "style")
        return tag.end;
    const std::size_t close = FindNoCase(html, "</" + tag.name, tag.end);
    const std::string text = AsParsed(html.substr(tag.end, close - tag.end));
    if (tag.name == "style")
        parts.inlineStyles.push_back(text);
    else if (!HasSource(tag))
        parts.inlineScripts.push_back(text);
    return close;
}

} // namespace

SnippetParts ReadSnippetParts(std::string_view html)
{
    SnippetParts parts;
    std::size_t at = 0;
    while ((at = html.find('<', at)) != std::string_view::npos) {
        if (html.substr(at).starts_with("<!--")) {
            const std::size_t end = html.find("-->", at + 4);
            at = end == std::string_view::npos ? html.size() : end + 3;
        } else if (at + 1 < html.size() && std::isalpha(static_cast<unsigned char>(html[at + 1]))) {
            at = TakeElement(html, at, parts);
        } else {
            ++at;
        }
    }
    return parts;
}

} // namespace gen
