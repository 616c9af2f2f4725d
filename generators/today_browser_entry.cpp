#include "generators/escape.h"
#include "generators/field_check.h"
#include "generators/todays_edition.h"

namespace gen
{

CodeBuffer TodaysBrowserEntry(const FieldInputs& in)
{
    const BrowserEntryFields c = CheckedBrowserEntry(in);
    const std::string& ieUrl = c.ieUrl;
    const std::string& otherUrl = c.otherUrl;
    CodeBuffer b;
    b.AppendLines({
        "<!-- ONE STEP TO INSTALL BROWSER-SPECIFIC ENTRY (TODAY'S EDITION):",
        "",
        "   1.  Paste the coding into the BODY of your HTML document  -->",
        "",
        "<!-- What today's browsers allow: every browser calls itself \"Netscape\"",
        "     now, Internet Explorer 11 too, so the name no longer tells them apart.",
        "     Internet Explorer is recognised by document.documentMode, which only it",
        "     has; every other browser goes to the second address. replace() keeps",
        "     this page out of the history, so Back does not bring the visitor here",
        "     to be sent on again.  -->",
        "",
        "<!-- If your site sends a Content Security Policy, add the hash of the",
        "     script below to its script-src (sitewright-gen --csp prints the line",
        "     to add). Visitor data: nothing is sent; the visitor's browser",
        "     goes to the address you give for it.  -->",
        "",
        "<!-- STEP ONE: Copy this code into the BODY of your HTML document  -->",
        "",
        "<script>",
        "if (document.documentMode)",
    });
    b.Splice({"  window.location.replace(\"", ieUrl, "\");"});
    b.Append("else");
    b.Splice({"  window.location.replace(\"", otherUrl, "\");"});
    b.Append("</script>");
    return b;
}

} // namespace gen
