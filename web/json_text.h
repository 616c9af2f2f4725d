#pragma once

#include <string>
#include <string_view>

namespace web
{

// Appends `text` to `out` as a JSON string: in double quotes, with the quote, the backslash and
// every control character escaped, and each byte that does not belong to a UTF-8 sequence
// replaced by U+FFFD, so that the page's JSON.parse takes whatever a message quoted. The
// snippet path writes its few replies with this instead of the JSON library, which the module
// would otherwise compile before the first snippet.
void AppendJsonString(std::string& out, std::string_view text);

} // namespace web
