#include "sitecheck/value_reader.h"

#include <charconv>
#include <cstdint>

#include "generators/escape.h"

namespace sitecheck
{

namespace
{

bool ParseCode(std::string_view digits, int base, std::uint32_t& code)
{
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), code, base);
    return !digits.empty() && error == std::errc() && end == digits.data() + digits.size() &&
           code <= 0x10FFFF;
}

// One JavaScript escape at text[i] (a backslash); returns how many bytes it took.
std::size_t JsEscape(std::string_view text, std::size_t i, std::string& out)
{
    if (i + 1 >= text.size()) {
        out += '\\';
        return 1;
    }
    const char c = text[i + 1];
    std::uint32_t code = 0;
    if (c == 'x' && ParseCode(text.substr(i + 2, 2), 16, code) && i + 4 <= text.size()) {
        // \xHH names one byte; the generators use it for control characters and '<'.
        out += static_cast<char>(code);
        return 4;
    }
    if (c == 'u' && i + 6 <= text.size() && ParseCode(text.substr(i + 2, 4), 16, code)) {
        gen::AppendUtf8(out, code);
        return 6;
    }
    out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
    return 2;
}

std::string JsUnescaped(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();)
        if (text[i] == '\\')
            i += JsEscape(text, i, out);
        else
            out += text[i++];
    return out;
}

bool NamedReference(std::string_view name, std::string& out)
{
    static constexpr std::pair<std::string_view, char> kNames[] = {
        {"amp", '&'}, {"quot", '"'}, {"lt", '<'}, {"gt", '>'}, {"apos", '\''}};
    for (const auto& [n, c] : kNames)
        if (name == n) {
            out += c;
            return true;
        }
    return false;
}

// A character reference at text[i] ('&'); returns how many bytes it took, 0 when it is none.
std::size_t Reference(std::string_view text, std::size_t i, std::string& out)
{
    const std::size_t semicolon = text.find(';', i);
    if (semicolon == std::string_view::npos || semicolon - i > 10)
        return 0;
    const std::string_view name = text.substr(i + 1, semicolon - i - 1);
    std::uint32_t code = 0;
    const bool hex = name.size() > 1 && name[0] == '#' && (name[1] == 'x' || name[1] == 'X');
    if (hex ? ParseCode(name.substr(2), 16, code)
            : (!name.empty() && name[0] == '#' && ParseCode(name.substr(1), 10, code)))
        gen::AppendUtf8(out, code);
    else if (!NamedReference(name, out))
        return 0;
    return semicolon - i + 1;
}

std::string HtmlDecoded(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t taken = text[i] == '&' ? Reference(text, i, out) : 0;
        if (taken == 0)
            out += text[i++];
        else
            i += taken;
    }
    return out;
}

} // namespace

Splice SpliceOf(std::string_view probe, std::string_view spliced)
{
    if (spliced == gen::JsString(probe, '"') || spliced == gen::JsString(probe, '\''))
        return Splice::JsString;
    if (spliced == gen::HtmlAttribute(probe))
        return Splice::HtmlAttribute;
    if (spliced == gen::JsStringInAttribute(probe, '"') ||
        spliced == gen::JsStringInAttribute(probe, '\''))
        return Splice::JsStringInAttribute;
    if (spliced == gen::HtmlText(probe))
        return Splice::HtmlText;
    return Splice::Verbatim;
}

std::string ReadBack(std::string_view spliced, Splice splice)
{
    switch (splice) {
    case Splice::JsString:
        return JsUnescaped(spliced);
    case Splice::HtmlAttribute:
    case Splice::HtmlText:
        return HtmlDecoded(spliced);
    case Splice::JsStringInAttribute:
        return JsUnescaped(HtmlDecoded(spliced));
    case Splice::Verbatim:
        break;
    }
    return std::string(spliced);
}

} // namespace sitecheck
