#include "generators/set_homepage.h"

#include "generators/escape.h"

namespace gen
{

namespace
{

// Written for Netscape 4 and for every browser the script does not recognise.
constexpr std::string_view kInstructions =
    "  document.write('<b>Make this site your home page:</b><br>"
    "- Go to <b>Preferences</b> in the <b>Edit</b> menu.<br>"
    "- Choose <b>Navigator</b> from the list on the left.<br>"
    "- Click on the <b>\"Use Current Page\"</b> button.');";

// The comment reads like a string, and escaping it as one keeps a line break or "</script>"
// from ending it or the script.
void SpliceReminder(CodeBuffer& b, std::string_view url)
{
    b.Splice({"// Be sure to change the \"", JsString(url, '"'), "\\\""});
    b.Append("// to the URL you want them to bookmark.");
}

} // namespace

CodeBuffer SetHomepage(const SetHomepageFields& f)
{
    // Both links are written by document.write('...'): the address sits in an attribute inside
    // that string, and in the onClick handler also in a string of the handler's own.
    const std::string onClickUrl = JsString(JsStringInAttribute(f.url, '\''), '\'');
    const std::string hrefUrl = JsString(HtmlAttribute(f.url), '\'');
    CodeBuffer b;
    b.AppendLines({
        "<!-- ONE STEP TO INSTALL SET HOMEPAGE LINK:",
        "",
        "  1.  Copy the coding into the BODY of your HTML document  -->",
        "",
        "<!-- STEP ONE: Paste this code into the BODY of your HTML document  -->",
        "",
        "<BODY>",
        "",
        "<SCRIPT LANGUAGE=\"JavaScript\">",
        "<!-- Begin",
        "// If it's Internet Explorer, use the automatic link",
    });
    SpliceReminder(b, f.url);
    b.Append("if (document.all){");
    b.Splice({"document.write('<A HREF=\"javascript:history.go(0);\" "
              "onClick=\"this.style.behavior=\\'url(#default#homepage)\\';this.setHomePage(\\'",
              onClickUrl, "\\');\">');"});
    b.AppendLines({
        "document.write('<font size=\"5\" color=6699FF face=arial>"
        "<b>Click Here to Make My Web Page Your Homepage</b></font></a>');",
        "}",
        "",
        "// If it's Netscape 6, tell them to drag the link onto the Home button",
    });
    SpliceReminder(b, f.url);
    b.Append("else if (document.getElementById){");
    b.Splice({"  document.write('<a href=\"", hrefUrl,
              "\">Drag this link onto your Home button to make this your Home Page.</a>');"});
    b.AppendLines({
        "}",
        "",
        "// If it's Netscape 4 or lower, give instructions to set the home page",
        "else if (document.layers){",
        kInstructions,
        "}",
        "",
        "// If it's any other browser, give the instructions too",
        "else {",
        kInstructions,
        "}",
        "//  End -->",
        "</script>",
    });
    return b;
}

} // namespace gen
