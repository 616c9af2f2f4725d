// The gadget table's one call, in a module of its own that the build runs under Node.js to
// write the table into the page (render_page.cjs): the page then lists the gadgets and shows a
// gadget's form without waiting for any module, and the module the browser loads holds no
// table export.
#include <emscripten/emscripten.h>

#include "web/reply.h"
#include "web/table_json.h"

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* sw_table()
{
    return web::Keep({web::TableJson(), {}});
}
}
