#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gen
{

// What of a snippet's markup a Content Security Policy judges: the text of each inline
// script and style element as the browser hands it to the policy (line ends made LF, as the
// HTML parser makes them), the address of each script loaded from elsewhere, and whether any
// start tag holds an event handler, a javascript: address or a style attribute. Comments are
// skipped; the text inside a script or style element is not read as markup.
struct SnippetParts {
    std::vector<std::string> inlineScripts;
    std::vector<std::string> inlineStyles;
    std::vector<std::string> scriptAddresses; // src values as written
    bool inlineBehaviour = false;             // on...= attributes or javascript: addresses
    bool styleAttributes = false;
};

SnippetParts ReadSnippetParts(std::string_view html);

} // namespace gen
