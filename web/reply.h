#pragma once

#include <string>

namespace web
{

// What a call of the page gives back: a JSON object for the page script and, for a snippet or
// a recipe, the exact bytes a file of it holds.
struct Reply {
    std::string json;
    std::string bytes;
};

// Keeps `reply` as the module's last one, whose bytes sw_bytes and sw_byte_count give the page
// script, and returns its JSON as a NUL-terminated text valid until the next reply is kept.
const char* Keep(Reply reply);

} // namespace web
