#include "generators/browser_entry.h"

#include "generators/escape.h"
#include "generators/field_check.h"

namespace gen
{

BrowserEntryFields CheckedBrowserEntry(const FieldInputs& in)
{
    return {JsString(AddressField(in.Field("ie-url")), '"'),
            JsString(AddressField(in.Field("other-url")), '"')};
}

CodeBuffer BrowserEntry(const FieldInputs& in)
{
    const BrowserEntryFields c = CheckedBrowserEntry(in);
    const std::string& ieUrl = c.ieUrl;
    const std::string& otherUrl = c.otherUrl;
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
