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

} // namespace web
