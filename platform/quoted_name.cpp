#include "platform/quoted_name.h"

#include <cstdint>
#include <utility>

namespace platform
{

namespace
{

void AppendEscaped(std::string& out, unsigned char c)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    switch (c) {
    case '"':
    case '\\':
        out += '\\';
        out += static_cast<char>(c);
        return;
    case '\n':
        out += "\\n";
        return;
    case '\r':
        out += "\\r";
        return;
    case '\t':
        out += "\\t";
        return;
    default:
        out += "\\x";
        out += kHex[c >> 4];
        out += kHex[c & 0xF];
    }
}

bool NeedsEscape(unsigned char c)
{
    return c < 0x20 || c == 0x7F || c == '"' || c == '\\';
}

// The length of the UTF-8 character at text[at] when it is well formed (no overlong form, no
// surrogate, nothing past U+10FFFF) and no control character; 0 otherwise.
std::size_t PlainCharacterAt(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return lead >= 0x20 && lead != 0x7F ? 1 : 0;
    const std::size_t size = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (size == 0 || lead > 0xF4 || at + size > text.size())
        return 0;
    std::uint32_t code = lead & (0x7F >> size);
    for (std::size_t i = 1; i < size; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    const std::uint32_t least = size == 2 ? 0x80 : size == 3 ? 0x800 : 0x10000;
    const bool control = code >= 0x80 && code < 0xA0;
    const bool surrogate = code >= 0xD800 && code < 0xE000;
    return code < least || control || surrogate || code > 0x10FFFF ? 0 : size;
}

void AppendShellEscape(std::string& out, unsigned char c)
{
    static constexpr std::pair<unsigned char, char> kLetters[] = {
        {'\a', 'a'}, {'\b', 'b'}, {'\t', 't'}, {'\n', 'n'}, {'\v', 'v'}, {'\f', 'f'}, {'\r', 'r'}};
    out += '\\';
    for (const auto& [byte, letter] : kLetters)
        if (c == byte) {
            out += letter;
            return;
        }
    out += static_cast<char>('0' + (c >> 6));
    out += static_cast<char>('0' + ((c >> 3) & 7));
    out += static_cast<char>('0' + (c & 7));
}

} // namespace

bool IsPlainName(std::string_view name)
{
    for (std::size_t at = 0; at < name.size();) {
        const std::size_t size = PlainCharacterAt(name, at);
        if (size == 0)
            return false;
        at += size;
    }
    return true;
}

std::string ShellQuotedName(std::string_view name)
{
    if (IsPlainName(name))
        return std::string(name);
    std::string out;
    enum { Open, Quoted, Escaped } state = Open;
    for (std::size_t at = 0; at < name.size();) {
        const std::size_t size = PlainCharacterAt(name, at);
        if (size == 0) {
            out += state == Quoted ? "'$'" : state == Open ? "$'" : "";
            state = Escaped;
            AppendShellEscape(out, static_cast<unsigned char>(name[at++]));
            continue;
        }
        out += state == Escaped ? "''" : state == Open ? "'" : "";
        state = Quoted;
        if (name[at] == '\'')
            out += "'\\''";
        else
            out.append(name.substr(at, size));
        at += size;
    }
    return out + "'";
}

std::string QuotedName(std::string_view name)
{
    std::string out = "\"";
    for (const char c : name) {
        if (NeedsEscape(static_cast<unsigned char>(c)))
            AppendEscaped(out, static_cast<unsigned char>(c));
        else
            out += c;
    }
    out += '"';
    return out;
}

} // namespace platform
