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

} // namespace platform
