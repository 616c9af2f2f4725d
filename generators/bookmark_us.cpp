#include "generators/bookmark_us.h"

#include "generators/escape.h"

namespace gen
{

CodeBuffer BookmarkUs(const BookmarkUsFields& f)
{
    CodeBuffer b;
    b.AppendLines({
        "<!-- ONE STEP TO INSTALL BOOKMARK US:",
        "",
        "  1.  Copy the coding into the BODY of your HTML document  -->",
        "",
        "<!-- STEP ONE: Paste this code into the BODY of your HTML document  -->",
        "",
        "<SCRIPT LANGUAGE=\"JavaScript\">",
        "<!-- Begin",
        "if ((navigator.appName == \"Microsoft Internet Explorer\") && "
        "(parseInt(navigator.appVersion) >= 4)) {",
        "",
    });
    b.Splice({"var url=\"", JsString(f.url, '"'), "\";"});
    b.Splice({"var title=\"", JsString(f.siteName, '"'), "\";"});
    // The link is written in pieces; the cut inside "external" is part of the snippet.
    b.AppendLines({
        "",
        "document.write('<A HREF=\"javascript:window.ext');",
        "document.write('ernal.AddFavorite(url,title);\" ');",
        "document.write('onMouseOver=\" window.status=');",
        "document.write(\"'Add our site to your favorites!'; return true \");",
        "document.write('\"onMouseOut=\" window.status=');",
        "document.write(\"' '; return true \");",
        "document.write('\">Add our site to your favorites!</a>');",
        "}",
        "else {",
        "var msg = \"Don't forget to bookmark us!\";",
        "if (navigator.appName == \"Netscape\") msg += \"  (CTRL-D)\";",
        "document.write(msg);",
        "}",
        "",
        "// End -->",
        "</script>",
    });
    return b;
}

} // namespace gen
