#include "generators/language.h"

#include <array>
#include <string_view>

namespace gen
{

namespace
{

struct Redirect {
    std::string_view code; // searched for anywhere in the browser's language text
    std::string_view page;
};

// Tested in this order; the first code found wins.
constexpr std::array<Redirect, 10> kRedirects{{
    {"en", "English.html"},
    {"nl", "dutch.html"},
    {"fr", "french.html"},
    {"de", "german.html"},
    {"ja", "japanese.html"},
    {"it", "italian.html"},
    {"pt", "portuguese.html"},
    {"es", "Spanish.html"},
    {"sv", "swedish.html"},
    {"zh", "chinese.html"},
}};

constexpr std::string_view kFallbackPage = "English.html";

} // namespace

void AppendLanguageRedirects(CodeBuffer& b)
{
    std::string_view lead = "";
    for (const Redirect& r : kRedirects) {
        b.Splice({lead, "if (language.indexOf('", r.code, "') > -1) document.location.href = '",
                  r.page, "';"});
        lead = "else ";
    }
    b.Append("else");
    b.Splice({"document.location.href = '", kFallbackPage, "';"});
}

CodeBuffer Language(const LanguageFields&)
{
    CodeBuffer b;
    b.AppendLines({
        "<!-- ONE STEP TO INSTALL LANGUAGE:",
        "",
        "  1.  Copy the coding into the HEAD of your HTML document and modify to suit  -->",
        "",
        "<!-- STEP ONE: Paste this code into the HEAD of your HTML document  -->",
        "",
        "<HEAD>",
        "",
        "<SCRIPT LANGUAGE=\"JavaScript1.2\">",
        "<!-- Begin",
        "if (navigator.appName == 'Netscape')",
        "var language = navigator.language;",
        "else",
        "var language = navigator.browserLanguage;",
        "",
        "<!-- Modify the .html pages, can be either file.html or, http://www.example.com -->",
        "",
    });
    AppendLanguageRedirects(b);
    b.AppendLines({
        "// End -->",
        "</script>",
    });
    return b;
}

} // namespace gen
