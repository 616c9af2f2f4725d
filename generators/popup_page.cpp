#include "generators/popup_page.h"

#include "generators/escape.h"
#include "generators/field_check.h"

namespace gen
{

PopupPageFields CheckedPopupPage(const FieldInputs& in)
{
    // Nothing is allowed for seconds: "000" alone is a wait of no time.
    return {in.Text("url"), WholeNumberField(in.Field("width")),
            WholeNumberField(in.Field("height")), TimerSecondsField(in.Field("seconds"))};
}

CodeBuffer PopupPage(const FieldInputs& in)
{
    const PopupPageFields c = CheckedPopupPage(in);
    const std::string& width = c.width;
    const std::string& height = c.height;
    const std::string& seconds = c.seconds;
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
    b.Splice({"var page = \"", JsString(c.url, '"'), "\";"});
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
