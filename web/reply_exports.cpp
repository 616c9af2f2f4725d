// The reply each module keeps for the page script, and the two calls that read its bytes;
// linked into both modules, each of which keeps its own.
#include <emscripten/emscripten.h>

#include <cstddef>

#include "web/reply.h"

namespace web
{

namespace
{

Reply& Last()
{
    static Reply reply;
    return reply;
}

} // namespace

const char* Keep(Reply reply)
{
    Last() = std::move(reply);
    return Last().json.c_str();
}

} // namespace web

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* sw_bytes()
{
    return web::Last().bytes.data();
}

EMSCRIPTEN_KEEPALIVE std::size_t sw_byte_count()
{
    return web::Last().bytes.size();
}
}
