#include "platform/quoted_name.h"

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

} // namespace

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
