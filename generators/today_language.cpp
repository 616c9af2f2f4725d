#include "generators/language.h"
#include "generators/todays_edition.h"

namespace gen
{

CodeBuffer TodaysLanguage(const FieldInputs&)
{
    CodeBuffer b;
    b.AppendLines({
        "<!-- ONE STEP TO INSTALL LANGUAGE (TODAY'S EDITION):",
        "",
        "  1.  Copy the coding into the HEAD of your HTML document and modify to suit  -->",
        "",
        "<!-- What today's browsers allow: every browser tells its language in",
        "     navigator.language, so the page is chosen as it always was.  -->",
        "",
        "<!-- If your site sends a Content Security Policy, add the hash of the",
        "     script below to its script-src (sitewright-gen --csp prints the line",
        "     to add; change the pages first, as the hash covers them). Visitor",
        "     data: nothing is sent; the browser's language only picks the page.  -->",
        "",
        "<!-- STEP ONE: Paste this code into the HEAD of your HTML document  -->",
        "",
        "<script>",
        "var language = navigator.language;",
        "// Modify the .html pages, can be either file.html or, http://www.example.com",
    });
    AppendLanguageRedirects(b);
    b.Append("</script>");
    return b;
}

} // namespace gen
