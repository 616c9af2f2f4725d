#include "generators/browser_entry.h"

namespace gen {

CodeBuffer BrowserEntry(const BrowserEntryFields& f)
{
    CodeBuffer b;
    b.AppendLines({
        "<!-- ONE STEP TO INSTALL BROWSER-SPECIFIC ENTRY:",
        "",
        "   1.  Paste the coding into the BODY of your HTML document  -->",
        "",
        "<!-- STEP ONE: Copy this code into the BODY of your HTML document  -->",
        "",
        "<BODY>",
        "",
        "<CENTER>",
        "<SCRIPT LANGUAGE=\"JavaScript\">",
        "<!-- Begin",
        "var name = navigator.appName",
        " if (name == \"Microsoft Internet Explorer\")",
    });
    b.Splice({"url=(\"", f.ieUrl, "\");"});
    b.Append("else");
    b.Splice({"url=(\"", f.otherUrl, "\")"});
    b.AppendLines({
        "window.location=url",
        "",
        "// End -->",
        "</SCRIPT>",
        "</CENTER>",
    });
    return b;
}

} // namespace gen
