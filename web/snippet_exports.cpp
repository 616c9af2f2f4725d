// The functions the page script calls for its snippets. Each returns its reply's JSON as a
// NUL-terminated text that stays valid until the next call; a snippet's bytes are read through
// sw_bytes and sw_byte_count. Texts come in as UTF-8. This module holds no JSON library, no
// table (the build writes that into the page: table_exports.cpp) and no recipe code: the page
// shows its first snippet as soon as this small module is ready, and loads recipes' module
// (recipe_exports.cpp) beside it.
#include <emscripten/emscripten.h>

#include <cstddef>
#include <string_view>
#include <vector>

#include "web/snippet_request.h"

extern "C" {

// The gadget `gadget` in `edition`, stamped when `stamp` is not 0, with `count` field texts:
// text i starts at values[i] and is sizes[i] bytes long.
EMSCRIPTEN_KEEPALIVE const char* sw_generate(const char* gadget, const char* edition, int stamp,
                                             const char* const* values, const std::size_t* sizes,
                                             std::size_t count)
{
    web::SnippetRequest request{gadget, edition, stamp != 0, {}};
    request.values.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        request.values.emplace_back(values[i], sizes[i]);
    return web::Keep(web::GenerateSnippet(request));
}
}
