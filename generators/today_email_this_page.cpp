#include "generators/escape.h"
#include "generators/todays_edition.h"

namespace gen
{

namespace
{

// The form is found by its data- attribute when it is sent, so the script may stand before
// it and needs no handler attribute, which a policy without 'unsafe-inline' refuses.
void AppendMessageScript(CodeBuffer& b)
{
    b.AppendLines({
        "<script>",
        "document.addEventListener(\"submit\", function (event) {",
        "  var form = event.target;",
        "  if (!form.hasAttribute(\"data-email-this-page\")) return;",
        "  form.message.value = \"Hi \" + form.sendto.value + \" (\" + form.to.value + "
        "\"):\\n\\n\" +",
        "    \"Check out this page:  \" + window.location + \"\\n\\nYour Friend,\\n\" +",
        "    form.sendername.value + \"(\" + form.senderemail.value + \")\";",
        "  if (form.to.value == \"\") event.preventDefault();",
        "});",
        "</script>",
    });
}

// Each input has its label; the visitor's own name and address say what they are, so the
// browser can fill them in. The centring is in a style element, as a policy without
// 'unsafe-inline' refuses style attributes.
void AppendForm(CodeBuffer& b, std::string_view action)
{
    b.AppendLines({
        "<style>",
        "form[data-email-this-page] table { margin: 0 auto; }",
        "form[data-email-this-page] td[colspan] { text-align: center; }",
        "</style>",
    });
    b.Splice({"<form name=\"emailform\" method=\"post\" action=\"", HtmlAttribute(action),
              "\" target=\"_new\" data-email-this-page>"});
    b.AppendLines({
        "<input type=\"hidden\" name=\"subject\" value=\"** Check Out This Site! **\">",
        "<input type=\"hidden\" name=\"message\" value=\"\">",
        "<table>",
        "<tr><td colspan=\"2\">Tell a friend about this page!</td></tr>",
        "<tr><td><label for=\"emailform-sendto\">Their Name:</label></td>"
        "<td><input type=\"text\" name=\"sendto\" id=\"emailform-sendto\"></td></tr>",
        "<tr><td><label for=\"emailform-to\">Their Email:</label></td>"
        "<td><input type=\"text\" name=\"to\" id=\"emailform-to\"></td></tr>",
        "<tr><td><label for=\"emailform-sendername\">Your Name:</label></td>"
        "<td><input type=\"text\" name=\"sendername\" id=\"emailform-sendername\""
        " autocomplete=\"name\"></td></tr>",
        "<tr><td><label for=\"emailform-senderemail\">Your Email:</label></td>"
        "<td><input type=\"text\" name=\"senderemail\" id=\"emailform-senderemail\""
        " autocomplete=\"email\"></td></tr>",
        "<tr><td colspan=\"2\"><input type=\"submit\" value=\"Ok!\"></td></tr>",
        "</table>",
        "</form>",
    });
}

} // namespace

CodeBuffer TodaysEmailThisPage(const FieldInputs& in)
{
    CodeBuffer b;
    b.AppendLines({
        "<!-- TWO STEPS TO INSTALL EMAIL THIS PAGE (TODAY'S EDITION):",
        "",
        "  1.  Copy the coding into the HEAD of your HTML document",
        "  2.  Add the last code into the BODY of your HTML document  -->",
        "",
        "<!-- What today's browsers allow: the form works as it always did. Its",
        "     script is attached to the form by the script itself, and each field",
        "     has a label that screen readers read out.  -->",
        "",
        "<!-- If your site sends a Content Security Policy, add the hashes of the",
        "     script and the style below to its script-src and style-src",
        "     (sitewright-gen --csp prints the lines to add). Visitor data: when",
        "     the visitor presses Ok!, the names and addresses typed in and this",
        "     page's address go to the mail script at the address you give, and",
        "     nowhere else.  -->",
        "",
        "<!-- STEP ONE: Paste this code into the HEAD of your HTML document  -->",
        "",
    });
    AppendMessageScript(b);
    b.AppendLines({
        "",
        "<!-- STEP TWO: Copy this code into the BODY of your HTML document  -->",
        "",
    });
    AppendForm(b, in.Text("mail-script"));
    return b;
}

} // namespace gen
