#include "generators/frameless_popup.h"

#include "generators/escape.h"
#include "generators/field_check.h"

namespace gen
{

namespace
{

// Full screen, then shrunk, then filled with a frameset whose second row has no height: that
// is what leaves the popup without frame and title bar.
void AppendFramelessBranch(CodeBuffer& b)
{
    b.AppendLines({
        "if (beIE) {",
        "NFW = window.open(\"\",\"popFrameless\",\"fullscreen,\"+s);",
        "NFW.blur();",
        "window.focus();",
        "NFW.resizeTo(windowW,windowH);",
        "NFW.moveTo(windowX,windowY);",
        "var frameString=\"\"+",
        "\"<html>\"+",
        "\"<head>\"+",
        "\"<title>\"+title+\"</title>\"+",
        "\"</head>\"+",
        "\"<frameset rows='*,0' framespacing=0 border=0 frameborder=0>\"+",
        "\"<frame name='top' src='\"+urlPop+\"' scrolling=auto>\"+",
        "\"<frame name='bottom' src='about:blank' scrolling='no'>\"+",
        "\"</frameset>\"+",
        "\"</html>\";",
        "NFW.document.open();",
        "NFW.document.write(frameString);",
        "NFW.document.close();",
        "}",
    });
}

} // namespace

FramelessPopupFields CheckedFramelessPopup(const FieldInputs& in)
{
    return {in.Text("url"), WholeNumberField(in.Field("width")),
            WholeNumberField(in.Field("height")), TrueFalseField(in.Field("autoclose"))};
}

CodeBuffer FramelessPopup(const FieldInputs& in)
{
    // Checked before anything is written, so a refused value leaves no partial snippet.
    const FramelessPopupFields c = CheckedFramelessPopup(in);
    const std::string& width = c.width;
    const std::string& height = c.height;
    const std::string& autoclose = c.autoclose;
    CodeBuffer b;
    b.AppendLines({
        "<!-- THREE STEPS TO INSTALL FRAMELESS POPUP:",
        "",
        "  1.  Copy the coding into the HEAD of your HTML document",
        "  2.  Add the onLoad event handler into the BODY tag of your Popup HTML document",
        "  3.  Put the last coding into the BODY of your HTML document  -->",
        "",
        "<!-- STEP ONE: Paste this code into the HEAD of your HTML document  -->",
        "",
        "<HEAD>",
        "",
        "<SCRIPT LANGUAGE=\"JavaScript\">",
        "",
        "<!-- Begin",
    });
    b.Splice({"var windowW=", width, " // wide"});
    b.Splice({"var windowH=", height, " // high"});
    b.AppendLines({
        "var windowX = 260 // from left",
        "var windowY = 100 // from top",
    });
    b.Splice({"var urlPop = \"", JsString(c.url, '"'), "\""});
    b.AppendLines({
        "var title =  \"Window\"",
        "// set this to true if the popup should close",
        "// upon leaving the launching page; else, false",
    });
    b.Splice({"var autoclose = ", autoclose});
    b.AppendLines({
        "// do not edit below this line",
        "s = \"width=\"+windowW+\",height=\"+windowH;",
        "var beIE = document.all?true:false",
        "function openFrameless(){",
    });
    AppendFramelessBranch(b);
    b.AppendLines({
        "else {",
        "NFW = window.open(urlPop,\"popFrameless\",\"scrollbars,\"+s);",
        "NFW.blur();",
        "window.focus();",
        "NFW.resizeTo(windowW,windowH);",
        "NFW.moveTo(windowX,windowY);",
        "}",
        "NFW.focus();",
        "if (autoclose) {",
        "window.onunload = function(){NFW.close();}",
        "   }",
        "}",
        "//  End -->",
        "</script>",
        "",
        "</HEAD>",
        "",
        "<!-- STEP TWO: Insert the onLoad event handler into your BODY tag of your Popup HTML "
        "document  -->",
        "",
        "<BODY onLoad=\"top.window.focus()\">",
        "",
        "<!-- STEP THREE: Copy this code into the BODY of your HTML document  -->",
        "",
        "<a href=\"javascript:openFrameless()\">Click Here</a>",
    });
    return b;
}

} // namespace gen
