#include "generators/escape.h"
#include "generators/todays_edition.h"

namespace gen
{

CodeBuffer TodaysLogoBranding(const LogoBrandingFields& f)
{
    const std::string width = std::to_string(f.width);
    const std::string height = std::to_string(f.height);
    const std::string status = HtmlAttribute(f.statusText);
    CodeBuffer b;
    b.AppendLines({
        "<!-- ONE STEP TO INSTALL LOGO BRANDING (TODAY'S EDITION):",
        "",
        "   1.  Put the code into the BODY of your HTML document  -->",
        "",
        "<!-- What today's browsers allow: CSS alone (position: fixed) keeps the logo",
        "     in the lower right corner of the visible area while the page scrolls;",
        "     no script is needed. Browsers no longer show a page's text in the status",
        "     bar, so the mouseover text is the logo's tooltip and the text read out",
        "     in place of the image.  -->",
        "",
        "<!-- If your site sends a Content Security Policy, add the hash of the style",
        "     below to its style-src (sitewright-gen --csp prints the line to add).",
        "     Visitor data: the visitor's browser loads the logo from the image",
        "     address you give; nothing else is sent anywhere.  -->",
        "",
        "<!-- STEP ONE: Put this code into the BODY of your HTML document  -->",
        "",
        // In a style element rather than style attributes, which a policy without
        // 'unsafe-inline' refuses.
        "<style>",
        "#branding { position: fixed; right: 30px; bottom: 20px; z-index: 2;",
        "  background: #ffffff; padding: 4px; line-height: 0; }",
        "#branding img { border: 0; }",
        "</style>",
    });
    b.Splice({"<a id=\"branding\" href=\"", HtmlAttribute(f.link), "\" title=\"", status, "\">"});
    b.Splice({"<img src=\"", HtmlAttribute(f.image), "\" width=\"", width, "\" height=\"", height,
              "\" alt=\"", status, "\">"});
    b.Append("</a>");
    return b;
}

} // namespace gen
