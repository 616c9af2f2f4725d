#include "generators/logo_branding.h"

#include "generators/escape.h"

namespace gen
{

CodeBuffer LogoBranding(const LogoBrandingFields& f)
{
    const std::string width = std::to_string(f.width);
    const std::string height = std::to_string(f.height);
    CodeBuffer b;
    b.AppendLines({
        "<!-- THREE STEPS TO INSTALL LOGO BRANDING:",
        "",
        "   1.  Insert the first code into the HEAD of your HTML document",
        "   2.  Add the onLoad event handler to the BODY tag",
        "   3.  the last code into the BODY of your HTML document  -->",
        "",
        "<!-- STEP ONE: Put this code into the HEAD of your HTML document  -->",
        "",
        "<HEAD>",
        "",
        "<SCRIPT LANGUAGE=\"JavaScript\">",
        "<!-- Begin",
        "function setVariables() {",
    });
    b.Splice({"imgwidth=", width, ";  // logo width, in pixels"});
    b.Splice({"imgheight=", height, ";  // logo height, in pixels"});
    // The names that evalMove joins into the logo's position properties, per browser.
    b.AppendLines({
        "if (navigator.appName == \"Netscape\") {",
        "horz=\".left\";",
        "vert=\".top\";",
        "docStyle=\"document.\";",
        "styleDoc=\"\";",
        "innerW=\"window.innerWidth\";",
        "innerH=\"window.innerHeight\";",
        "offsetX=\"window.pageXOffset\";",
        "offsetY=\"window.pageYOffset\";",
        "}",
        "else {",
        "horz=\".pixelLeft\";",
        "vert=\".pixelTop\";",
        "docStyle=\"\";",
        "styleDoc=\".style\";",
        "innerW=\"document.body.clientWidth\";",
        "innerH=\"document.body.clientHeight\";",
        "offsetX=\"document.body.scrollLeft\";",
        "offsetY=\"document.body.scrollTop\";",
        "   }",
        "}",
    });
    b.AppendLines({
        "function checkLocation() {",
        "objectXY=\"branding\";",
        "var availableX=eval(innerW);",
        "var availableY=eval(innerH);",
        "var currentX=eval(offsetX);",
        "var currentY=eval(offsetY);",
        "x=availableX-(imgwidth+30)+currentX;",
        "y=availableY-(imgheight+20)+currentY;",
        "evalMove();",
        "setTimeout(\"checkLocation()\",10);",
        "}",
        "function evalMove() {",
        "eval(docStyle + objectXY + styleDoc + horz + \"=\" + x);",
        "eval(docStyle + objectXY + styleDoc + vert + \"=\" + y);",
        "}",
        "// End -->",
        "</SCRIPT>",
        "",
        "<!-- STEP TWO: Add this onLoad event handler to the BODY tag    -->",
        "",
        "<BODY onload=\"setVariables(); checkLocation();\">",
        "",
        "<!-- STEP THREE: Put this code into the BODY of your HTML document  -->",
        "",
        // The start position is fixed; the script moves the logo as soon as the page loads.
        "<div id=\"branding\" style=\"position:absolute; visibility:show; "
        "left:235px; top:-50px; z-index:2\">",
        "<table width=10 bgcolor=#ffffff><td>",
    });
    b.Splice({"<a href=\"", HtmlAttribute(f.link), "\" onmouseover=\"window.status='",
              JsStringInAttribute(f.statusText, '\''),
              "';return true\" onmouseout=\"window.status='';return true\"><center><img src=\"",
              HtmlAttribute(f.image), "\" width=\"", width, "\" height=\"", height,
              "\" border=\"0\"></center></a></font></td>"});
    b.AppendLines({
        "</table>",
        "</div>",
    });
    return b;
}

} // namespace gen
