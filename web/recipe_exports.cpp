// The functions the page script calls for recipes, in a module of their own that the page loads
// after its first snippet. Each returns its reply's JSON as a NUL-terminated text that stays
// valid until the next call; a recipe's bytes are read through sw_bytes and sw_byte_count. Texts
// come in as UTF-8, a recipe as its bytes.
#include <emscripten/emscripten.h>

#include <cstddef>
#include <string_view>

#include "recipe/recipe.h"
#include "web/page_session.h"

namespace
{

web::PageSession& Session()
{
    static web::PageSession session;
    return session;
}

} // namespace

extern "C" {

// The largest recipe read; the page hands over one byte more of a larger file, to be refused.
EMSCRIPTEN_KEEPALIVE std::size_t sw_max_recipe_bytes()
{
    return recipe::kMaxRecipeBytes;
}

EMSCRIPTEN_KEEPALIVE const char* sw_open_recipe(const char* name, const char* bytes,
                                                std::size_t size, const char* edition)
{
    return web::Keep(Session().OpenRecipe(name, std::string_view(bytes, size), edition));
}

EMSCRIPTEN_KEEPALIVE const char* sw_save_recipe(const char* state)
{
    return web::Keep(Session().SaveRecipe(state));
}
}
