#pragma once

#include <string>
#include <string_view>

namespace platform
{

// A file name (or any name a message shows) between double quotes, written so that the message
// stays on one line and the name can be read back exactly: a double quote and a backslash get a
// backslash before them, a line break, carriage return and tab are written \n, \r and \t, and
// any other control character as \xHH. Every other byte, UTF-8 included, stays as it is, so an
// ordinary name reads as it did: "page.html".
std::string QuotedName(std::string_view name);

// True when `name` is UTF-8 holding no control character (C0, DEL or C1): it can be shown as it
// is, on one line, and read back exactly.
bool IsPlainName(std::string_view name);

// A plain name as it is; any other quoted for a shell the way `ls --quoting-style=shell-escape`
// shows it, so a report line stays one line, no escape sequence reaches the terminal and the
// name can be pasted back: runs of shown bytes between single quotes (a quote in them as '\''),
// the others as $'...' escapes (\n, \t, \r and the like by letter, any other byte in octal),
// e.g. 'caf'$'\351''.html'.
std::string ShellQuotedName(std::string_view name);

} // namespace platform
