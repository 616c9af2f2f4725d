// The functions the page script calls. Each returns its reply's JSON as a NUL-terminated text
// that stays valid until the next call; the reply's bytes are read through sw_bytes and
// sw_byte_count. Texts come in as UTF-8, a recipe as its bytes.
#include <emscripten/emscripten.h>

#include <cstddef>
#include <string_view>

#include "web/page_session.h"
#include "web/table_json.h"

namespace
{

web::PageSession& Session()
{
    static web::PageSession session;
    return session;
}

web::Reply& Last()
{
    static web::Reply reply;
    return reply;
}

const char* Keep(web::Reply reply)
{
    Last() = std::move(reply);
    return Last().json.c_str();
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* sw_table()
{
    return Keep({web::TableJson(), {}});
}

EMSCRIPTEN_KEEPALIVE const char* sw_generate(const char* request)
{
    return Keep(Session().Generate(request));
}

EMSCRIPTEN_KEEPALIVE const char* sw_open_recipe(const char* name, const char* bytes,
                                                std::size_t size, const char* edition)
{
    return Keep(Session().OpenRecipe(name, std::string_view(bytes, size), edition));
}

EMSCRIPTEN_KEEPALIVE const char* sw_save_recipe(const char* state)
{
    return Keep(Session().SaveRecipe(state));
}

EMSCRIPTEN_KEEPALIVE const char* sw_bytes()
{
    return Last().bytes.data();
}

EMSCRIPTEN_KEEPALIVE std::size_t sw_byte_count()
{
    return Last().bytes.size();
}
}
