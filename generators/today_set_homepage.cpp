#include "generators/escape.h"
#include "generators/todays_edition.h"

namespace gen
{

namespace
{

// Edge and Opera name Chrome in their user agent too, so they are asked for first.
void AppendInstructions(CodeBuffer& b)
{
    b.AppendLines({
        "  var agent = navigator.userAgent;",
        "  var how = \"Open your browser's settings, find the home page or the page it \" +",
        "    \"starts with, and enter the address there.\";",
        "  if (/Edg\\//.test(agent))",
        "    how = \"In Edge, open Settings, then Start, home, and new tabs; under \" +",
        "      \"When Edge starts choose Open these pages and add the address.\";",
        "  else if (/OPR\\//.test(agent))",
        "    how = \"In Opera, open Settings, then On startup; choose Open a specific \" +",
        "      \"page or set of pages and add the address.\";",
        "  else if (/Firefox\\//.test(agent))",
        "    how = \"In Firefox, drag the link onto the Home button, or open Settings, \" +",
        "      \"then Home, and enter the address under Custom URLs.\";",
        "  else if (/Chrome\\//.test(agent))",
        "    how = \"In Chrome, open Settings, then On startup; choose Open a specific \" +",
        "      \"page or set of pages and add the address.\";",
        "  else if (/Safari\\//.test(agent))",
        "    how = \"In Safari, choose Settings, then General, and enter the address \" +",
        "      \"as Homepage.\";",
    });
}

} // namespace

CodeBuffer TodaysSetHomepage(const FieldInputs& in)
{
    CodeBuffer b;
    b.AppendLines({
        "<!-- ONE STEP TO INSTALL SET HOMEPAGE LINK (TODAY'S EDITION):",
        "",
        "  1.  Copy the coding into the BODY of your HTML document  -->",
        "",
        "<!-- What today's browsers allow: no browser lets a page set the home page",
        "     any more. This code shows the address as a link and tells visitors how",
        "     to make it their home page in the browser they are using.  -->",
        "",
        "<!-- If your site sends a Content Security Policy, add the hash of the",
        "     script below to its script-src (sitewright-gen --csp prints the line",
        "     to add). Visitor data: nothing about the visitor is sent",
        "     anywhere; the browser's name only picks the instructions shown.  -->",
        "",
        "<!-- STEP ONE: Paste this code into the BODY of your HTML document  -->",
        "",
        "<script>",
        "(function () {",
    });
    b.Splice({"  var url = \"", JsString(in.Text("url"), '"'), "\";"});
    AppendInstructions(b);
    b.AppendLines({
        "  var box = document.createElement(\"p\");",
        "  var link = document.createElement(\"a\");",
        "  link.href = url;",
        "  link.textContent = url;",
    });
    b.Splice({"  box.append(\"", JsString(in.Text("lead-text"), '"'), " \", link,"});
    b.AppendLines({
        "    document.createElement(\"br\"), how);",
        "  document.currentScript.after(box);",
        "})();",
        "</script>",
    });
    return b;
}

} // namespace gen
