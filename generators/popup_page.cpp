#include "generators/popup_page.h"

#include "generators/escape.h"
#include "generators/field_check.h"
#include "generators/gadget_table.h"

namespace gen
{

CodeBuffer PopupPage(const PopupPageFields& f)
{
    const std::string width = WholeNumberField(f.width, FieldNameOf("popup-page", "width"));
    const std::string height = WholeNumberField(f.height, FieldNameOf("popup-page", "height"));
    // Nothing is allowed here: "000" alone is a wait of no time.
    const std::string seconds =
        WholeNumberOrEmptyField(f.seconds, FieldNameOf("popup-page", "seconds"));
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
    b.Splice({"var page = \"", JsString(f.url, '"'), "\";"});
    b.Splice({"windowprops = \"height=", height, ",width=", width, ",location=no,\""});
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
    b.Splice({"<BODY onLoad=\"setTimeout('popupPage()', ", seconds, "000);\">"});
    return b;
}

} // namespace gen
