#include "generators/popup_page.h"

namespace gen {

CodeBuffer PopupPage(const PopupPageFields& f)
{
    CodeBuffer b;
    b.AppendLines({
        "<!-- TWO STEPS TO INSTALL POPUP PAGE:",
        "",
        "  1.  Copy the coding into the HEAD of your HTML document",
        "  2.  Add the onLoad event handler into the BODY tag  -->",
        "",
        "<!-- STEP ONE: Paste this code into the HEAD of your HTML document  -->",
        "",
        "<HEAD>",
        "",
        "<SCRIPT LANGUAGE=\"JavaScript\">",
        "<!-- Begin",
        "function popupPage() {",
    });
    b.Splice({"var page = \"", f.url, "\";"});
    b.Splice({"windowprops = \"height=", f.height, ",width=", f.width, ",location=no,\""});
    b.AppendLines({
        "+ \"scrollbars=no,menubars=no,toolbars=no,resizable=yes\";",
        "",
        "window.open(page, \"Popup\", windowprops);",
        "}",
        "//  End -->",
        "</script>",
        "",
        "<!-- STEP TWO: Insert the onLoad event handler into your BODY tag  -->",
        "",
    });
    // Appending "000" turns whole seconds into the milliseconds setTimeout expects.
    b.Splice({"<BODY onLoad=\"setTimeout('popupPage()', ", f.seconds, "000);\">"});
    return b;
}

} // namespace gen
