#include "generators/escape.h"
#include "generators/field_check.h"
#include "generators/todays_edition.h"

namespace gen
{

namespace
{

// The form is found by its data- attribute when it is sent, so the script may stand before
// it and needs no handler attribute, which a policy without 'unsafe-inline' refuses.
void AppendMessageScript(CodeBuffer& b, std::string_view messageStart)
{
    b.AppendLines({
        "<script>",
        "document.addEventListener(\"submit\", function (event) {",
        "  var form = event.target;",
        "  if (!form.hasAttribute(\"data-email-this-page\")) return;",
        "  form.message.value = \"Hi \" + form.sendto.value + \" (\" + form.to.value + "
        "\"):\\n\\n\" +",
    });
    b.Splice({"    \"", JsString(messageStart, '"'),
              "  \" + window.location + \"\\n\\nYour Friend,\\n\" +"});
    b.AppendLines({
        "    form.sendername.value + \"(\" + form.senderemail.value + \")\";",
        "  if (form.to.value == \"\") event.preventDefault();",
        "});",
        "</script>",
    });
}

// One row of the form: a text input and its label.
void AppendInputRow(CodeBuffer& b, std::string_view name, std::string_view label,
                    std::string_view autocomplete)
{
    const std::string id = "emailform-" + std::string(name);
    b.Splice({"<tr><td><label for=\"", id, "\">", HtmlText(label), "</label></td>",
              "<td><input type=\"text\" name=\"", name, "\" id=\"", id, "\"",
              autocomplete.empty() ? "" : " autocomplete=\"", autocomplete,
              autocomplete.empty() ? "" : "\"", "></td></tr>"});
}

// Each input has its label; the visitor's own name and address say what they are, so the
// browser can fill them in. The centring is in a style element, as a policy without
// 'unsafe-inline' refuses style attributes.
void AppendForm(CodeBuffer& b, const FieldInputs& in)
{
    b.AppendLines({
        "<style>",
        "form[data-email-this-page] table { margin: 0 auto; }",
        "form[data-email-this-page] td[colspan] { text-align: center; }",
        "</style>",
    });
    b.Splice({"<form name=\"emailform\" method=\"post\" action=\"",
              HtmlAttribute(in.Text("mail-script")), "\" target=\"_new\" data-email-this-page>"});
    b.AppendLines({
        "<input type=\"hidden\" name=\"subject\" value=\"** Check Out This Site! **\">",
        "<input type=\"hidden\" name=\"message\" value=\"\">",
        "<table>",
    });
    b.Splice({"<tr><td colspan=\"2\">", HtmlText(in.Text("heading")), "</td></tr>"});
    AppendInputRow(b, "sendto", ControlNameField(in.Field("their-name-label")), "");
    AppendInputRow(b, "to", ControlNameField(in.Field("their-email-label")), "");
    AppendInputRow(b, "sendername", ControlNameField(in.Field("your-name-label")), "name");
    AppendInputRow(b, "senderemail", ControlNameField(in.Field("your-email-label")), "email");
    b.Splice({"<tr><td colspan=\"2\"><input type=\"submit\" value=\"",
              HtmlAttribute(ControlNameField(in.Field("button-caption"))), "\"></td></tr>"});
    b.AppendLines({
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
    AppendMessageScript(b, in.Text("message-start"));
    b.AppendLines({
        "",
        "<!-- STEP TWO: Copy this code into the BODY of your HTML document  -->",
        "",
    });
    AppendForm(b, in);
    return b;
}

} // namespace gen
