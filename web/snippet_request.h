#pragma once

#include <string_view>
#include <vector>

#include "web/reply.h"

namespace web
{

// What the page asks for when it wants a snippet: the gadget by id, the edition by name (the
// classic one for a name it does not know), whether to stamp it, and the fields' texts in the
// order of the gadget's fields. A field without a text takes its default; texts beyond the last
// field are ignored.
struct SnippetRequest {
    std::string_view gadget;
    std::string_view edition;
    bool stamp = false;
    std::vector<std::string_view> values;
};

// The gadget's snippet, with its stamp line first when asked, in `bytes` and {"ok":true};
// else no bytes and {"error":MESSAGE,"option":OPTION}, the message as the command line gives
// it after its name and the option that of the refused field (empty for an unknown gadget).
Reply GenerateSnippet(const SnippetRequest& request);

} // namespace web
