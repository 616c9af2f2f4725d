#include "generators/metasearch.h"
#include "generators/todays_edition.h"

namespace gen
{

CodeBuffer TodaysMetasearch(const FieldInputs&)
{
    CodeBuffer b;
    b.AppendLines({
        "<!-- ONE STEP TO INSTALL ORCHARD METASEARCH (TODAY'S EDITION):",
        "",
        "  1.  Copy the coding into the BODY of your HTML document  -->",
        "",
        "<!-- What today's browsers allow: the service's script writes its search",
        "     form into your page, as it always did.  -->",
        "",
        "<!-- If your site sends a Content Security Policy, add the service's",
        "     origin to its script-src (sitewright-gen --csp prints the line to add).",
        "     Visitor data: loading the form tells the Orchard service at",
        "     www.example.net that this page was opened, and what the visitor",
        "     searches for goes to that service; nothing else is sent.  -->",
        "",
        "<!-- STEP ONE: Paste this code into the BODY of your HTML document  -->",
        "",
        "<script src=\"http://www.example.net/includes/search.js\"></script>",
    });
    return b;
}

} // namespace gen
