#pragma once

#include <cstdint>

#include <string>
#include <string_view>

namespace gen
{

// Field text made safe for the place a generator splices it into, so that the running page
// holds exactly the text that was typed. Each function returns text that needs no escaping
// unchanged, byte for byte; bytes that are not ASCII pass through as they are.

// Inside a JavaScript string literal delimited by `quote` (' or "). Besides the backslash and
// that quote, line breaks become \r, \n, \u2028 and \u2029 so the line stays one line, other
// control characters except the tab become \xHH, and "<" becomes \x3C so that neither
// "</script>" nor "<!--" can end or change the script element the string sits in.
std::string JsString(std::string_view text, char quote);

// Inside an HTML attribute value in double quotes: & " CR and LF become character references.
std::string HtmlAttribute(std::string_view text);

// Inside a JavaScript string literal delimited by `quote` that is itself the value of an
// HTML attribute in double quotes, such as an onmouseover="..." handler.
std::string JsStringInAttribute(std::string_view text, char quote);

// Between HTML tags: & < > CR and LF become character references.
std::string HtmlText(std::string_view text);

// Appends the UTF-8 bytes of the code point `code` (at most 0x10FFFF) to `out`.
void AppendUtf8(std::string& out, std::uint32_t code);

} // namespace gen
