#pragma once

#include <string>

namespace web
{

// The gadget table as the page reads it, one JSON object:
//   {"gadgets": [{"id", "title", "page", "ownToday", "fields": [{"option", "caption",
//     "default", "kind" ("text" | "number" | "choice"), "choices": [...], "code"}],
//     "classic": {"support", "sentence"}, "today": {"support", "sentence"}}],
//    "editions": ["classic", "today"]}
// Every gadget and field in table order, so the page needs nothing written for any of them.
std::string TableJson();

} // namespace web
