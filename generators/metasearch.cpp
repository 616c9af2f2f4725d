#include "generators/metasearch.h"

namespace gen
{

CodeBuffer Metasearch(const MetasearchFields&)
{
    CodeBuffer b;
    b.AppendLines({
        "<!-- ONE STEP TO INSTALL ORCHARD METASEARCH:",
        "",
        "  1.  Copy the coding into the BODY of your HTML document  -->",
        "",
        "<!-- STEP ONE: Paste this code into the BODY of your HTML document  -->",
        "",
        "<BODY>",
        "",
        "<script src=\"http://www.example.net/includes/search.js\" "
        "type=\"text/javascript\" language=\"JavaScript\"></script>",
    });
    return b;
}

} // namespace gen
