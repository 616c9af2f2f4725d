#include "generators/browser_entry.h"

#include "generators/escape.h"
#include "generators/field_check.h"
#include "generators/gadget_table.h"

namespace gen
{

CodeBuffer BrowserEntry(const BrowserEntryFields& f)
{
    const std::string ieUrl =
        JsString(AddressField(f.ieUrl, FieldNameOf("browser-entry", "ie-url")), '"');
    const std::string otherUrl =
        JsString(AddressField(f.otherUrl, FieldNameOf("browser-entry", "other-url")), '"');
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
    b.Splice({"url=(\"", ieUrl, "\");"});
    b.Append("else");
    b.Splice({"url=(\"", otherUrl, "\")"});
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
