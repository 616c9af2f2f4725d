// The eight later gadgets with their pages' start-up texts: every line in its place, the lines
// that are quoted whole compared exactly, the script lines described by their effect checked
// for how they begin and end and for the fragments and names they must hold.
#include "generators/gadget_table.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Expect {
    Expect(const char* line) : exact(line) {} // NOLINT: lets the tables read like the snippets

    bool described = false;
    std::string_view exact;
    std::string_view head;                   // a described line begins with this ...
    std::string_view tail;                   // ... ends with this ...
    std::vector<std::string_view> fragments; // ... and holds these in this order
};

Expect Told(std::string_view head, std::vector<std::string_view> fragments = {},
            std::string_view tail = {})
{
    Expect e("");
    e.described = true;
    e.head = head;
    e.tail = tail;
    e.fragments = std::move(fragments);
    return e;
}

struct Snippet {
    std::string_view id;
    std::vector<Expect> lines;
};

void PrintTo(const Snippet& s, std::ostream* os)
{
    *os << s.id;
}

// Lines 28 and 33 of Set Homepage Link.
Expect HomepageInstructions()
{
    return Told("  document.write('",
                {"<b>Make this site your home page:</b>", "<br>- ", "<b>Preferences</b>",
                 "<b>Edit</b>", "<br>- ", "<b>Navigator</b>", "<br>- ",
                 "<b>\"Use Current Page\"</b>"},
                "');");
}

const Snippet kEmailThisPage{
    "email-this-page",
    {
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
        Told("text", {"\"Check out this page:  \"", "window.location"}, ";"),
        Told("form.message.value", {"\"Hi \"", "form.sendto.value", "\" (\"", "form.to.value"},
             "\"):\\n\\n\""),
        Told(" +",
             {"text", "\"\\n\\nYour Friend,\\n\"", "form.sendername.value", "\"(\"",
              "form.senderemail.value", "\")\""},
             ";"),
        Told("return", {"form.to.value", "!=", "\"\""}, ";"),
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
        Told("<form ",
             {"name=emailform", "method=post", "action=\"http://", "/mail.pl\"", "target=\"_new\"",
              "onSubmit=\"return initMail(this);\""},
             ">"),
        Told("<input ", {"type=hidden", "name=subject", "value=\"** Check Out This Site! **\""},
             ">"),
        Told("<input ", {"type=hidden", "name=message", "value=\"\""}, ">"),
        "<table>",
        Told("<tr><td ", {"colspan=2", "center", ">Tell a friend about this page!<"}, "</tr>"),
        Told("<tr><td", {">Their Name:<", "<input ", "type=text", "name=sendto>"}, "</tr>"),
        Told("<tr><td", {">Their Email:<", "<input ", "type=text", "name=to>"}, "</tr>"),
        Told("<tr><td", {">Your Name:<", "<input ", "type=text", "name=sendername>"}, "</tr>"),
        Told("<tr><td", {">Your Email:<", "<input ", "type=text", "name=senderemail>"}, "</tr>"),
        Told("<tr><td ", {"colspan=2", "center", "<input ", "type=submit", "value=\"Ok!\""},
             "</tr>"),
        "</table>",
        "</form>",
        "</center>",
    }};

const Snippet kSetHomepage{
    "set-homepage",
    {
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
        Told("// If it's Internet Explorer", {"automatic link"}),
        "// Be sure to change the \"http://www.example.com\\\"",
        "// to the URL you want them to bookmark.",
        "if (document.all){",
        "document.write('<A HREF=\"javascript:history.go(0);\" "
        "onClick=\"this.style.behavior=\\'url("
        "#default#homepage)\\';this.setHomePage(\\'http://www.example.com\\');\">');",
        Told("document.write('",
             {"<font ", "size=\"5\"", "color=6699FF", "face=arial", "><b>",
              "Click Here to Make My Web Page Your Homepage", "</b></font></a>"},
             "');"),
        "}",
        "",
        Told("// If it's Netscape 6", {"drag", "Home button"}),
        "// Be sure to change the \"http://www.example.com\\\"",
        "// to the URL you want them to bookmark.",
        "else if (document.getElementById){",
        "  document.write('<a href=\"http://www.example.com\">Drag this link onto your Home button "
        "to make this your Home Page.</a>');",
        "}",
        "",
        Told("// If it's Netscape 4 or lower", {"instructions"}),
        "else if (document.layers){",
        HomepageInstructions(),
        "}",
        "",
        Told("// If it's any other browser", {"instructions"}),
        "else {",
        HomepageInstructions(),
        "}",
        "//  End -->",
        "</script>",
    }};

const Snippet kLogoBranding{
    "logo-branding",
    {
        "<!-- THREE STEPS TO INSTALL LOGO BRANDING:",
        "",
        "   1.  Insert the first code into the HEAD of your HTML document",
        "   2.  Add the onLoad event handler to the BODY tag",
        "   3.  the last code into the BODY of your HTML document  -->",
        "",
        "<!-- STEP ONE: Put this code into the HEAD of your HTML document  -->",
        "",
        "<HEAD>",
        "",
        "<SCRIPT LANGUAGE=\"JavaScript\">",
        "<!-- Begin",
        "function setVariables() {",
        "imgwidth=235;  // logo width, in pixels",
        "imgheight=19;  // logo height, in pixels",
        Told("if (", {"navigator.appName", "==", "\"Netscape\""}, "{"),
        "horz=\".left\";",
        "vert=\".top\";",
        "docStyle=\"document.\";",
        "styleDoc=\"\";",
        "innerW=\"window.innerWidth\";",
        "innerH=\"window.innerHeight\";",
        "offsetX=\"window.pageXOffset\";",
        "offsetY=\"window.pageYOffset\";",
        "}",
        "else {",
        "horz=\".pixelLeft\";",
        "vert=\".pixelTop\";",
        "docStyle=\"\";",
        "styleDoc=\".style\";",
        "innerW=\"document.body.clientWidth\";",
        "innerH=\"document.body.clientHeight\";",
        "offsetX=\"document.body.scrollLeft\";",
        "offsetY=\"document.body.scrollTop\";",
        "   }",
        "}",
        "function checkLocation() {",
        Told("objectXY", {"\"branding\""}),
        Told("var availableX", {"eval(innerW)"}),
        Told("var availableY", {"eval(innerH)"}),
        Told("var currentX", {"eval(offsetX)"}),
        Told("var currentY", {"eval(offsetY)"}),
        Told("x", {"availableX-(imgwidth+30)+currentX"}),
        Told("y", {"availableY-(imgheight+20)+currentY"}),
        Told("evalMove()"),
        Told("setTimeout(", {"\"checkLocation()\"", "10"}),
        "}",
        "function evalMove() {",
        Told("eval(", {"docStyle + objectXY + styleDoc + horz", "\"=\"", "x"}),
        Told("eval(", {"docStyle + objectXY + styleDoc + vert", "\"=\"", "y"}),
        "}",
        "// End -->",
        "</SCRIPT>",
        "",
        "<!-- STEP TWO: Add this onLoad event handler to the BODY tag    -->",
        "",
        "<BODY onload=\"setVariables(); checkLocation();\">",
        "",
        "<!-- STEP THREE: Put this code into the BODY of your HTML document  -->",
        "",
        Told("<div ",
             {"id=\"branding\"", "position:absolute", "visibility:show",
              "left:235px; top:-50px; z-index:2"},
             ">"),
        Told("<table ", {"width=10", "bgcolor=#ffffff"}, "><td>"),
        "<a href=\"http://www.example.com/specials/\" onmouseover=\"window.status='Click here for "
        "current specials';return true\" onmouseout=\"window.status='';return true\"><center><img "
        "src=\"http://www.example.com/logo.jpg\" width=\"235\" height=\"19\" "
        "border=\"0\"></center></a></font></td>",
        "</table>",
        "</div>",
    }};

const Snippet kFramelessPopup{
    "frameless-popup",
    {
        "<!-- THREE STEPS TO INSTALL FRAMELESS POPUP:",
        "",
        "  1.  Copy the coding into the HEAD of your HTML document",
        "  2.  Add the onLoad event handler into the BODY tag of your Popup HTML document",
        "  3.  Put the last coding into the BODY of your HTML document  -->",
        "",
        "<!-- STEP ONE: Paste this code into the HEAD of your HTML document  -->",
        "",
        "<HEAD>",
        "",
        "<SCRIPT LANGUAGE=\"JavaScript\">",
        "",
        "<!-- Begin",
        "var windowW=500 // wide",
        "var windowH=600 // high",
        Told("var windowX = 260", {"// from left"}),
        Told("var windowY = 100", {"// from top"}),
        "var urlPop = \"http://www.example.com\"",
        Told("var title =  \"Window\"", {}, "\"Window\""),
        Told("// set this to", {"true"}),
        Told("// upon leaving", {"; else, false"}),
        "var autoclose = true",
        Told("// do not edit"),
        Told("s = ", {"\"width=\"", "windowW", "\",height=\"", "windowH"}, ";"),
        Told("var beIE = ", {"document.all", "true", "false"}),
        Told("function openFrameless", {}, "{"),
        "if (beIE) {",
        Told("NFW", {"window.open(", "\"\"", "\"popFrameless\"", "\"fullscreen,\"", "s"}, ";"),
        Told("NFW.blur()", {}, ";"),
        Told("window.focus()", {}, ";"),
        Told("NFW.resizeTo(", {"windowW", "windowH"}, ";"),
        Told("NFW.moveTo(", {"windowX", "windowY"}, ";"),
        Told("var frameString=", {"\"\""}, "+"),
        Told("\"", {"<html>"}, "+"),
        Told("\"", {"<head>"}, "+"),
        Told("\"", {"<title>", "title", "</title>"}, "+"),
        Told("\"", {"</head>"}, "+"),
        Told("\"", {"<frameset ", "rows='*,0'", "framespacing=0 border=0 frameborder=0"}, "+"),
        Told("\"", {"<frame ", "name='top'", "src=", "urlPop", "scrolling=auto"}, "+"),
        Told("\"", {"<frame ", "name='bottom'", "src='about:blank'", "scrolling='no'"}, "+"),
        Told("\"", {"</frameset>"}, "+"),
        Told("\"", {"</html>"}, ";"),
        Told("NFW.document.open()", {}, ";"),
        Told("NFW.document.write(", {"frameString"}, ";"),
        Told("NFW.document.close()", {}, ";"),
        "}",
        "else {",
        Told("NFW", {"window.open(", "urlPop", "\"popFrameless\"", "\"scrollbars,\"", "s"}, ";"),
        Told("NFW.blur()", {}, ";"),
        Told("window.focus()", {}, ";"),
        Told("NFW.resizeTo(", {"windowW", "windowH"}, ";"),
        Told("NFW.moveTo(", {"windowX", "windowY"}, ";"),
        "}",
        Told("NFW.focus()", {}, ";"),
        "if (autoclose) {",
        Told("window.onunload", {"function", "NFW.close()"}, "}"),
        "   }",
        "}",
        "//  End -->",
        "</script>",
        "",
        "</HEAD>",
        "",
        "<!-- STEP TWO: Insert the onLoad event handler into your BODY tag of your Popup HTML "
        "document  -->",
        "",
        "<BODY onLoad=\"top.window.focus()\">",
        "",
        "<!-- STEP THREE: Copy this code into the BODY of your HTML document  -->",
        "",
        Told("<a href=", {"javascript:openFrameless()", ">Click Here<"}, "</a>"),
    }};

const Snippet kBrowserEntry{
    "browser-entry",
    {
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
        Told("var name =", {"navigator.appName"}, "navigator.appName"),
        Told(" if (name ==", {"\"Microsoft Internet Explorer\""}, ")"),
        "url=(\"http://www.example.com/ie.html\");",
        "else",
        "url=(\"http://www.example.com/netscape.html\")",
        "window.location=url",
        "",
        "// End -->",
        "</SCRIPT>",
        "</CENTER>",
    }};

const Snippet kLanguage{
    "language",
    {
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
        Told("if (", {"navigator.appName", "==", "'Netscape'"}, ")"),
        Told("var language = ", {"navigator.language"}, ";"),
        "else",
        Told("var language = ", {"navigator.browserLanguage"}, ";"),
        "",
        Told("<!-- Modify the .html pages, can be either file.html or, ", {"http://"}, " -->"),
        "",
        "if (language.indexOf('en') > -1) document.location.href = 'English.html';",
        "else if (language.indexOf('nl') > -1) document.location.href = 'dutch.html';",
        "else if (language.indexOf('fr') > -1) document.location.href = 'french.html';",
        "else if (language.indexOf('de') > -1) document.location.href = 'german.html';",
        "else if (language.indexOf('ja') > -1) document.location.href = 'japanese.html';",
        "else if (language.indexOf('it') > -1) document.location.href = 'italian.html';",
        "else if (language.indexOf('pt') > -1) document.location.href = 'portuguese.html';",
        "else if (language.indexOf('es') > -1) document.location.href = 'Spanish.html';",
        "else if (language.indexOf('sv') > -1) document.location.href = 'swedish.html';",
        "else if (language.indexOf('zh') > -1) document.location.href = 'chinese.html';",
        "else",
        "document.location.href = 'English.html';",
        "// End -->",
        "</script>",
    }};

const Snippet kMetasearch{
    "metasearch",
    {
        "<!-- ONE STEP TO INSTALL ORCHARD METASEARCH:",
        "",
        "  1.  Copy the coding into the BODY of your HTML document  -->",
        "",
        "<!-- STEP ONE: Paste this code into the BODY of your HTML document  -->",
        "",
        "<BODY>",
        "",
        Told("<script src=\"http://", {},
             "/includes/search.js\" type=\"text/javascript\" language=\"JavaScript\"></script>"),
    }};

const Snippet kPopupPage{
    "popup-page",
    {
        "<!-- TWO STEPS TO INSTALL POPUP PAGE:",
        "",
        "  1.  Copy the coding into the HEAD of your HTML document",
        "  2.  Add the onLoad event handler into the BODY tag  -->",
        "",
        "<!-- STEP ONE: Paste this code into the HEAD of your HTML document  -->",
        "",
        "<HEAD>",
        "",
        "<SCRIPT LANGUAGE=\"JavaScript\">",
        "<!-- Begin",
        Told("function popupPage()", {}, "{"),
        "var page = \"http://www.example.com/popup.html\";",
        "windowprops = \"height=500,width=500,location=no,\"",
        Told("+ ", {"\"scrollbars=no,menubars=no,toolbars=no,resizable=yes\""}, ";"),
        "",
        Told("window.open(", {"page, \"Popup\", windowprops"}, ";"),
        "}",
        "//  End -->",
        "</script>",
        "",
        "<!-- STEP TWO: Insert the onLoad event handler into your BODY tag  -->",
        "",
        "<BODY onLoad=\"setTimeout('popupPage()', 5000);\">",
    }};

gen::CodeBuffer RunWithDefaults(std::string_view id)
{
    const gen::GadgetSpec* gadget = gen::FindGadget(id);
    if (gadget == nullptr || gadget->generate == nullptr)
        return {};
    return gadget->generate(gen::DefaultValues(*gadget));
}

// Where a described line breaks its promise, or an empty text when it keeps it.
std::string Mismatch(std::string_view line, const Expect& e)
{
    if (!line.starts_with(e.head))
        return "does not begin with " + std::string(e.head);
    if (!line.ends_with(e.tail))
        return "does not end with " + std::string(e.tail);
    std::size_t from = e.head.size();
    for (std::string_view fragment : e.fragments) {
        const std::size_t at = line.find(fragment, from);
        if (at == std::string_view::npos)
            return "lacks, or has out of order, " + std::string(fragment);
        from = at + fragment.size();
    }
    return {};
}

class GadgetLinesTest : public testing::TestWithParam<Snippet>
{
};

TEST_P(GadgetLinesTest, EveryLineInItsPlace)
{
    const Snippet& s = GetParam();
    const gen::CodeBuffer b = RunWithDefaults(s.id);
    ASSERT_EQ(b.Count(), s.lines.size());
    for (std::size_t i = 0; i < s.lines.size(); ++i) {
        const Expect& e = s.lines[i];
        const std::string_view line = b.Line(i);
        if (e.described)
            EXPECT_EQ(Mismatch(line, e), "") << "line " << i + 1 << ": " << line;
        else
            EXPECT_EQ(line, e.exact) << "line " << i + 1;
    }
}

// A "\n" meant for the script that became a real line feed would split a line in the window
// and in the saved file.
TEST_P(GadgetLinesTest, NoLineHoldsALineBreakOrControlCharacter)
{
    const gen::CodeBuffer b = RunWithDefaults(GetParam().id);
    for (std::size_t i = 0; i < b.Count(); ++i)
        for (char c : b.Line(i))
            EXPECT_GE(static_cast<unsigned char>(c), 0x20) << "line " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(Gadgets, GadgetLinesTest,
                         testing::Values(kEmailThisPage, kSetHomepage, kLogoBranding,
                                         kFramelessPopup, kBrowserEntry, kLanguage, kMetasearch,
                                         kPopupPage),
                         [](const testing::TestParamInfo<Snippet>& info) {
                             std::string name(info.param.id);
                             std::erase(name, '-');
                             return name;
                         });

TEST(GadgetLines, SetHomepageGivesTheSameInstructionsTwice)
{
    const gen::CodeBuffer b = RunWithDefaults("set-homepage");
    ASSERT_EQ(b.Count(), 36u);
    EXPECT_EQ(b.Line(27), b.Line(32));
}

// The two outside services: only the host is ours to choose.
TEST(GadgetLines, OutsideServicesAreAbsoluteAddressesWithTheirPaths)
{
    const std::regex mail(R"(action="http://[A-Za-z0-9.-]+/mail\.pl")");
    const std::regex search(R"(^<script src="http://[A-Za-z0-9.-]+/includes/search\.js" )");
    const gen::CodeBuffer email = RunWithDefaults("email-this-page");
    const gen::CodeBuffer meta = RunWithDefaults("metasearch");
    ASSERT_EQ(email.Count(), 40u);
    ASSERT_EQ(meta.Count(), 9u);
    EXPECT_TRUE(std::regex_search(std::string(email.Line(27)), mail)) << email.Line(27);
    EXPECT_TRUE(std::regex_search(std::string(meta.Line(8)), search)) << meta.Line(8);
}

// The logo starts at a fixed place; only the script's numbers follow the spin boxes.
TEST(GadgetLines, LogoStartPositionIgnoresTheWidth)
{
    const gen::GadgetSpec* gadget = gen::FindGadget("logo-branding");
    ASSERT_NE(gadget, nullptr);
    gen::FieldValues values = gen::DefaultValues(*gadget);
    values.at(3) = "88";
    const gen::CodeBuffer b = gadget->generate(values);
    ASSERT_EQ(b.Count(), 65u);
    EXPECT_EQ(b.Line(13), "imgwidth=88;  // logo width, in pixels");
    EXPECT_NE(b.Line(60).find("left:235px;"), std::string_view::npos);
}

// The popup script's declarations end without a semicolon, unlike its statements.
TEST(GadgetLines, FramelessDeclarationsHaveNoSemicolon)
{
    const gen::CodeBuffer b = RunWithDefaults("frameless-popup");
    ASSERT_EQ(b.Count(), 70u);
    for (std::size_t number : {14, 15, 16, 17, 18, 19, 22, 25})
        EXPECT_EQ(b.Line(number - 1).find(';'), std::string_view::npos) << "line " << number;
}

} // namespace
