#include "generators/escape.h"
#include "generators/field_check.h"
#include "generators/todays_edition.h"

namespace gen
{

CodeBuffer TodaysBreakFrames(const FieldInputs& in)
{
    CodeBuffer b;
    b.AppendLines({
        "<!-- ONE STEP TO INSTALL BREAK FRAMES (TODAY'S EDITION):",
        "",
        "   1.  Paste the coding into the BODY of your HTML document  -->",
        "",
        "<!-- What today's browsers allow: a page in a frame of your own site moves",
        "     to the top window at once. A page in a frame of another site may no",
        "     longer replace the window around it by script; there the visitor gets",
        "     a link that leaves the frame with one click. To keep other sites from",
        "     framing your pages at all, have your web server send the header",
        "       Content-Security-Policy: frame-ancestors 'none'",
        "     ('self' instead of 'none' still lets your own site frame them).  -->",
        "",
        "<!-- If your site sends a Content Security Policy, add the hash of the",
        "     script below to its script-src (sitewright-gen --csp prints the line",
        "     to add). Visitor data: nothing about the visitor is sent anywhere.  -->",
        "",
        "<!-- STEP ONE: Copy this code into the BODY of your HTML document  -->",
        "",
        "<script>",
        "(function () {",
        "  if (window === window.top) return;",
        "  var here = window.location.href;",
        "  try {",
        "    window.top.location.href = here;",
        "  } catch (e) {",
        "    var link = document.createElement(\"a\");",
        "    link.href = here;",
        "    link.target = \"_top\";",
    });
    b.Splice({"    link.textContent = \"", JsString(ControlNameField(in.Field("link-text")), '"'),
              "\";"});
    b.AppendLines({
        "    document.currentScript.after(link);",
        "  }",
        "})();",
        "</script>",
    });
    return b;
}

} // namespace gen
