#include "generators/email_this_page.h"

namespace gen
{

CodeBuffer EmailThisPage(const EmailThisPageFields&)
{
    CodeBuffer b;
    b.AppendLines({
        "<!-- TWO STEPS TO INSTALL EMAIL THIS PAGE:",
        "",
        "  1.  Copy the coding into the HEAD of your HTML document",
        "  2.  Add the last code into the BODY of your HTML document  -->",
        "",
        "<!-- STEP ONE: Paste this code into the HEAD of your HTML document  -->",
        "",
        "<HEAD>",
        "",
        "<SCRIPT LANGUAGE=\"JavaScript\">",
        "",
        "<!-- Begin",
        "function initMail(form) {",
        "text = \"Check out this page:  \" + window.location;",
        // The statement goes on in the next line; the leading "+" there keeps it one statement.
        "form.message.value = \"Hi \" + form.sendto.value + \" (\" + form.to.value + \"):\\n\\n\"",
        " + text + \"\\n\\nYour Friend,\\n\" + form.sendername.value + \"(\" + "
        "form.senderemail.value + \")\";",
        "return (form.to.value != \"\");",
        "}",
        "//  End -->",
        "</script>",
        "</HEAD>",
        "",
        "<!-- STEP TWO: Copy this code into the BODY of your HTML document  -->",
        "",
        "<BODY>",
        "",
        "<center>",
        "<form name=emailform method=post action=\"http://www.example.org/mail.pl\" "
        "target=\"_new\" onSubmit=\"return initMail(this);\">",
        "<input type=hidden name=subject value=\"** Check Out This Site! **\">",
        "<input type=hidden name=message value=\"\">",
        "<table>",
        "<tr><td colspan=2 align=center>Tell a friend about this page!</td></tr>",
        "<tr><td>Their Name:</td><td><input type=text name=sendto></td></tr>",
        "<tr><td>Their Email:</td><td><input type=text name=to></td></tr>",
        "<tr><td>Your Name:</td><td><input type=text name=sendername></td></tr>",
        "<tr><td>Your Email:</td><td><input type=text name=senderemail></td></tr>",
        "<tr><td colspan=2 align=center><input type=submit value=\"Ok!\"></td></tr>",
        "</table>",
        "</form>",
        "</center>",
    });
    return b;
}

} // namespace gen
