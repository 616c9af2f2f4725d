#include "generators/escape.h"

namespace gen
{

namespace
{

// The UTF-8 forms of U+2028 and U+2029, which older script engines take as line breaks.
constexpr std::string_view kLineSeparator = "\xE2\x80\xA8";
constexpr std::string_view kParagraphSeparator = "\xE2\x80\xA9";

void AppendHexByte(std::string& out, std::string_view prefix, unsigned char c)
{
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    out += prefix;
    out += kDigits[c >> 4];
    out += kDigits[c & 0x0F];
}

// Most values need nothing; finding that out first keeps them a plain copy.
template <typename NeedsEscape> bool AnyNeedsEscape(std::string_view text, NeedsEscape needs)
{
    for (std::size_t i = 0; i < text.size(); ++i)
        if (needs(text, i))
            return true;
    return false;
}

bool JsNeeds(std::string_view text, std::size_t i, char quote)
{
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\\' || c == static_cast<unsigned char>(quote) || c == '<')
        return true;
    if (c < 0x20 && c != '\t')
        return true;
    return c == 0xE2 &&
           (text.substr(i, 3) == kLineSeparator || text.substr(i, 3) == kParagraphSeparator);
}

void AppendJsEscape(std::string& out, std::string_view text, std::size_t& i)
{
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\n')
        out += "\\n";
    else if (c == '\r')
        out += "\\r";
    else if (c == '<' || c < 0x20)
        AppendHexByte(out, "\\x", c);
    else if (c == 0xE2) {
        out += text.substr(i, 3) == kLineSeparator ? "\\u2028" : "\\u2029";
        i += 2;
    } else {
        out += '\\';
        out += static_cast<char>(c);
    }
}

bool AttributeNeeds(char c)
{
    return c == '&' || c == '"' || c == '\r' || c == '\n';
}

bool TextNeeds(char c)
{
    return c == '&' || c == '<' || c == '>' || c == '\r' || c == '\n';
}

std::string_view Reference(char c)
{
    switch (c) {
    case '&':
        return "&amp;";
    case '"':
        return "&quot;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '\r':
        return "&#13;";
    default:
        return "&#10;";
    }
}

template <typename Needs> std::string ReplaceWithReferences(std::string_view text, Needs needs)
{
    std::string out;
    out.reserve(text.size() + 16);
    for (char c : text) {
        if (needs(c))
            out += Reference(c);
        else
            out += c;
    }
    return out;
}

} // namespace

std::string JsString(std::string_view text, char quote)
{
    const auto needs = [quote](std::string_view t, std::size_t i) { return JsNeeds(t, i, quote); };
    if (!AnyNeedsEscape(text, needs))
        return std::string(text);
    std::string out;
    out.reserve(text.size() + 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (needs(text, i))
            AppendJsEscape(out, text, i);
        else
            out += text[i];
    }
    return out;
}

std::string HtmlAttribute(std::string_view text)
{
    if (!AnyNeedsEscape(text,
                        [](std::string_view t, std::size_t i) { return AttributeNeeds(t[i]); }))
        return std::string(text);
    return ReplaceWithReferences(text, AttributeNeeds);
}

std::string JsStringInAttribute(std::string_view text, char quote)
{
    // The browser decodes the attribute before it parses the script, so the script escape
    // goes on first and the attribute escape wraps it.
    return HtmlAttribute(JsString(text, quote));
}

std::string HtmlText(std::string_view text)
{
    if (!AnyNeedsEscape(text, [](std::string_view t, std::size_t i) { return TextNeeds(t[i]); }))
        return std::string(text);
    return ReplaceWithReferences(text, TextNeeds);
}

void AppendUtf8(std::string& out, std::uint32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

} // namespace gen
