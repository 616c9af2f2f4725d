#include "generators/escape.h"
#include "generators/field_check.h"
#include "generators/todays_edition.h"

namespace gen
{

CodeBuffer TodaysFramelessPopup(const FieldInputs& in)
{
    const FramelessPopupFields c = CheckedFramelessPopup(in);
    const std::string& width = c.width;
    const std::string& height = c.height;
    const std::string& autoclose = c.autoclose;
    CodeBuffer b;
    b.AppendLines({
        "<!-- TWO STEPS TO INSTALL FRAMELESS POPUP (TODAY'S EDITION):",
        "",
        "  1.  Copy the coding into the HEAD of your HTML document",
        "  2.  Put the last coding into the BODY of your HTML document  -->",
        "",
        "<!-- What today's browsers allow: no browser opens a window without frame",
        "     and title bar any more, and a window opens only from the visitor's",
        "     click. The link opens your page in a popup window of the size below;",
        "     without scripts it opens the page in a new tab.  -->",
        "",
        "<!-- If your site sends a Content Security Policy, add the hash of the",
        "     script below to its script-src (sitewright-gen --csp prints the line",
        "     to add). Visitor data: the popup opens the address you give; nothing",
        "     else is sent anywhere.  -->",
        "",
        "<!-- STEP ONE: Paste this code into the HEAD of your HTML document  -->",
        "",
        "<script>",
    });
    b.Splice({"var windowW = ", width, "; // wide"});
    b.Splice({"var windowH = ", height, "; // high"});
    b.AppendLines({
        "var windowX = 260; // from left",
        "var windowY = 100; // from top",
    });
    b.Splice({"var urlPop = \"", JsString(c.url, '"'), "\";"});
    b.AppendLines({
        "// set this to true if the popup should close",
        "// upon leaving the launching page; else, false",
    });
    b.Splice({"var autoclose = ", autoclose, ";"});
    b.AppendLines({
        "var popFrameless = null;",
        // Listening on the document finds the link wherever it stands and however late it
        // comes, and needs no handler attribute, which a policy without 'unsafe-inline'
        // refuses.
        "document.addEventListener(\"click\", function (event) {",
        "  var target = event.target;",
        "  if (!(target instanceof Element) || !target.closest(\"a[data-frameless-popup]\"))",
        "    return;",
        "  popFrameless = window.open(urlPop, \"popFrameless\", \"popup,width=\" + windowW +",
        "    \",height=\" + windowH + \",left=\" + windowX + \",top=\" + windowY);",
        "  if (popFrameless) event.preventDefault();",
        "});",
        "window.addEventListener(\"pagehide\", function () {",
        "  if (autoclose && popFrameless) popFrameless.close();",
        "});",
        "</script>",
        "",
        "<!-- STEP TWO: Copy this code into the BODY of your HTML document  -->",
        "",
    });
    b.Splice({"<a href=\"", HtmlAttribute(c.url), "\" target=\"_blank\" data-frameless-popup>",
              HtmlText(ControlNameField(in.Field("link-text"))), "</a>"});
    return b;
}

} // namespace gen
