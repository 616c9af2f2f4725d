#include "generators/escape.h"
#include "generators/todays_edition.h"

namespace gen
{

namespace
{

// The shortcut bookmarks the page being shown, whatever the link says; the hint names it
// for the visitor's own keyboard, or the menu where there is none. The site's name stands
// between the texts of the link and after that of the hint, so a site in another language
// words them around it.
void AppendShortcutScript(CodeBuffer& b, const FieldInputs& in)
{
    b.AppendLines({
        "  var agent = navigator.userAgent;",
        "  var how = \"press Ctrl+D\";",
        "  if (/iPhone|iPad|iPod/.test(agent)) how = \"tap Share, then Add Bookmark,\";",
        "  else if (/Android/.test(agent)) how = \"open the browser's menu and tap the star\";",
        "  else if (/Macintosh|Mac OS X/.test(agent)) how = \"press Command+D\";",
        "  var link = document.createElement(\"a\");",
        "  var hint = document.createElement(\"span\");",
        "  link.href = url;",
    });
    b.Splice({"  link.textContent = \"", JsString(in.Text("link-start"), '"'), " \" + title + \" ",
              JsString(in.Text("link-end"), '"'), "\";"});
    b.AppendLines({
        "  link.addEventListener(\"click\", function (event) {",
        "    event.preventDefault();",
    });
    b.Splice({"    hint.textContent = \" ", JsString(in.Text("hint-start"), '"'),
              " \" + title + \", \" + how + \".\";"});
    b.AppendLines({
        "  });",
        "  document.currentScript.after(link, hint);",
    });
}

} // namespace

CodeBuffer TodaysBookmarkUs(const FieldInputs& in)
{
    CodeBuffer b;
    b.AppendLines({
        "<!-- ONE STEP TO INSTALL BOOKMARK US (TODAY'S EDITION):",
        "",
        "  1.  Copy the coding into the BODY of your HTML document  -->",
        "",
        "<!-- What today's browsers allow: no browser lets a page add a bookmark any",
        "     more. The link tells visitors the shortcut of their own browser, which",
        "     bookmarks the page they are on, so put it on the page to be bookmarked.",
        "     The link leads to that address too, so it can be dragged to the",
        "     bookmarks bar.  -->",
        "",
        "<!-- If your site sends a Content Security Policy, add the hash of the",
        "     script below to its script-src (sitewright-gen --csp prints the line",
        "     to add). Visitor data: nothing about the visitor is sent",
        "     anywhere; the browser's name only picks the hint shown.  -->",
        "",
        "<!-- STEP ONE: Paste this code into the BODY of your HTML document  -->",
        "",
        "<script>",
        "(function () {",
    });
    b.Splice({"  var url = \"", JsString(in.Text("url"), '"'), "\";"});
    b.Splice({"  var title = \"", JsString(in.Text("site-name"), '"'), "\";"});
    AppendShortcutScript(b, in);
    b.AppendLines({
        "})();",
        "</script>",
    });
    return b;
}

} // namespace gen
