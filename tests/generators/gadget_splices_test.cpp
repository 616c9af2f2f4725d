// Every spliced line of the eight later gadgets, driven through the gadget table: each field in
// turn takes an awkward value while the others hold plain ones, and each line must be exactly
// its literal parts with the field texts, escaped for where they land, between them. Fields that
// land as code take only numbers (or true/false) and are checked with the number row here.
#include "generators/escape.h"
#include "generators/gadget_table.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

struct Piece {
    std::string_view literal;
    std::size_t statedLength = 0; // the length the snippet's description gives for the literal
    int field = -1;               // index into the gadget's fields, or -1 for a literal
    bool spin = false;            // the field is a spin box: its value is spliced, not its text
    std::string (*escape)(std::string_view) = nullptr; // how the text is escaped where it lands
    bool code = false;     // the field lands as code and takes only a number or true/false
    bool required = false; // an empty text is refused
};

std::string Js2(std::string_view t)
{
    return gen::JsString(t, '"');
}
std::string JsInAttr1(std::string_view t)
{
    return gen::JsStringInAttribute(t, '\'');
}
std::string Attr(std::string_view t)
{
    return gen::HtmlAttribute(t);
}
// document.write('<A ... onClick="...(\'TEXT\')">'): a string in an attribute in a string.
std::string JsInAttrInJs1(std::string_view t)
{
    return gen::JsString(gen::JsStringInAttribute(t, '\''), '\'');
}
// document.write('<a href="TEXT">'): an attribute in a string.
std::string AttrInJs1(std::string_view t)
{
    return gen::JsString(gen::HtmlAttribute(t), '\'');
}

Piece Lit(std::string_view text, std::size_t length)
{
    return {text, length};
}
Piece Text(int field, std::string (*escape)(std::string_view))
{
    return {{}, 0, field, false, escape};
}
Piece Address(int field)
{
    return {{}, 0, field, false, Js2, false, true};
}
Piece Code(int field)
{
    return {{}, 0, field, false, nullptr, true};
}
Piece Spin(int field)
{
    return {{}, 0, field, true};
}

struct SplicedLine {
    int number; // 1-based
    std::vector<Piece> pieces;
};

struct GadgetSplices {
    std::string_view id;
    std::size_t lineCount;
    std::vector<SplicedLine> lines;
};

const std::vector<GadgetSplices>& Splices()
{
    static const std::vector<GadgetSplices> all = {
        {"set-homepage",
         36,
         {
             {12, {Lit("// Be sure to change the \"", 26), Text(0, Js2), Lit("\\\"", 2)}},
             {15,
              {Lit("document.write('<A HREF=\"javascript:history.go(0);\" onClick=\"this.style."
                   "behavior=\\'url(#default#homepage)\\';this.setHomePage(\\'",
                   127),
               Text(0, JsInAttrInJs1), Lit("\\');\">');", 9)}},
             {20, {Lit("// Be sure to change the \"", 26), Text(0, Js2), Lit("\\\"", 2)}},
             {23,
              {Lit("  document.write('<a href=\"", 27), Text(0, AttrInJs1),
               Lit("\">Drag this link onto your Home button to make this your Home Page.</a>');",
                   74)}},
         }},
        {"logo-branding",
         65,
         {
             {14, {Lit("imgwidth=", 9), Spin(3), Lit(";  // logo width, in pixels", 27)}},
             {15, {Lit("imgheight=", 10), Spin(4), Lit(";  // logo height, in pixels", 28)}},
             {63,
              {Lit("<a href=\"", 9), Text(1, Attr), Lit("\" onmouseover=\"window.status='", 30),
               Text(0, JsInAttr1),
               Lit("';return true\" onmouseout=\"window.status='';return true\"><center><img "
                   "src=\"",
                   75),
               Text(2, Attr), Lit("\" width=\"", 9), Spin(3), Lit("\" height=\"", 10), Spin(4),
               Lit("\" border=\"0\"></center></a></font></td>", 38)}},
         }},
        {"frameless-popup",
         70,
         {
             {14, {Lit("var windowW=", 12), Code(1), Lit(" // wide", 8)}},
             {15, {Lit("var windowH=", 12), Code(2), Lit(" // high", 8)}},
             {18, {Lit("var urlPop = \"", 14), Text(0, Js2), Lit("\"", 1)}},
             {22, {Lit("var autoclose = ", 16), Code(3)}},
         }},
        {"browser-entry",
         21,
         {
             {14, {Lit("url=(\"", 6), Address(0), Lit("\");", 3)}},
             {16, {Lit("url=(\"", 6), Address(1), Lit("\")", 2)}},
         }},
        {"popup-page",
         24,
         {
             {13, {Lit("var page = \"", 12), Text(0, Js2), Lit("\";", 2)}},
             {14,
              {Lit("windowprops = \"height=", 22), Code(2), Lit(",width=", 7), Code(1),
               Lit(",location=no,\"", 14)}},
             {24,
              {Lit("<BODY onLoad=\"setTimeout('popupPage()', ", 40), Code(3), Lit("000);\">", 7)}},
         }},
    };
    return all;
}

TEST(GadgetSplices, LiteralPartsHaveTheirStatedLengths)
{
    for (const GadgetSplices& g : Splices()) {
        for (const SplicedLine& line : g.lines) {
            for (const Piece& p : line.pieces) {
                if (p.field < 0) {
                    EXPECT_EQ(p.literal.size(), p.statedLength)
                        << g.id << " line " << line.number << ": " << p.literal;
                }
            }
        }
    }
}

struct Value {
    const char* name;
    std::string text;
    std::string spinText; // what a spin box showing text splices
};

void PrintTo(const Value& v, std::ostream* os)
{
    *os << v.name;
}

// What the other fields hold while one field is under test: distinct, so a swapped field shows.
std::string PlainText(int field)
{
    return "plain" + std::to_string(field);
}

bool IsRequiredField(const GadgetSplices& g, int field)
{
    for (const SplicedLine& line : g.lines)
        for (const Piece& p : line.pieces)
            if (p.required && p.field == field)
                return true;
    return false;
}

// Code fields hold a number, or true for the one that takes true or false.
bool IsCodeField(const GadgetSplices& g, int field, bool& truth)
{
    for (const SplicedLine& line : g.lines)
        for (const Piece& p : line.pieces)
            if (p.code && p.field == field) {
                truth = line.pieces.size() == 2; // "var autoclose = " FIELD
                return true;
            }
    return false;
}

std::string PlainCode(int field, bool truth)
{
    return truth ? "true" : std::to_string(200 + field);
}
std::string PlainSpin(int field)
{
    return std::to_string(100 + field);
}

std::string Expected(const SplicedLine& line, const gen::FieldValues& values,
                     const std::vector<std::string>& spinTexts)
{
    std::string text;
    for (const Piece& p : line.pieces) {
        if (p.field < 0)
            text += p.literal;
        else
            text += p.spin     ? spinTexts[p.field]
                    : p.escape ? p.escape(values[p.field])
                               : values[p.field];
    }
    return text;
}

class SplicedValueTest : public testing::TestWithParam<Value>
{
};

TEST_P(SplicedValueTest, LandsEscapedBetweenTheLiteralParts)
{
    const Value& v = GetParam();
    for (const GadgetSplices& g : Splices()) {
        const gen::GadgetSpec* gadget = gen::FindGadget(g.id);
        ASSERT_NE(gadget, nullptr) << g.id;
        ASSERT_NE(gadget->generate, nullptr) << g.id;
        const int fieldCount = static_cast<int>(gadget->fields.size());
        for (int tested = 0; tested < fieldCount; ++tested) {
            gen::FieldValues values;
            std::vector<std::string> spinTexts;
            bool truth = false;
            if (IsCodeField(g, tested, truth) && (truth || v.text != "640"))
                continue; // a code field takes the number row only; refusals are tested apart
            if (v.text.empty() && IsRequiredField(g, tested))
                continue;
            for (int k = 0; k < fieldCount; ++k) {
                const bool spin = gadget->fields[k].component.starts_with("SpinEdit");
                bool kTruth = false;
                const bool code = IsCodeField(g, k, kTruth);
                values.push_back(k == tested ? v.text
                                 : spin      ? PlainSpin(k)
                                 : code      ? PlainCode(k, kTruth)
                                             : PlainText(k));
                spinTexts.push_back(k == tested ? v.spinText : PlainSpin(k));
            }
            const gen::CodeBuffer b = gadget->generate(values);
            ASSERT_EQ(b.Count(), g.lineCount) << g.id;
            for (const SplicedLine& line : g.lines)
                EXPECT_EQ(b.Line(line.number - 1), Expected(line, values, spinTexts))
                    << g.id << " line " << line.number << ", field "
                    << gadget->fields[tested].option;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, SplicedValueTest,
    testing::Values(Value{"Number", "640", "640"},
                    Value{"Address", "http://www.example.org/a/b.html?x=1&y=2", "0"},
                    Value{"Empty", "", "0"}, Value{"DoubleQuotes", "say \"hi\"", "0"},
                    Value{"Apostrophes", "it's '1'", "0"},
                    Value{"Backslashes", "C:\\web\\\" \\n", "0"},
                    Value{"AngleBrackets", "</script><b>&amp;", "0"},
                    Value{"LeadingBlanksBeforeNumber", "  0235", "235"},
                    Value{"BlanksAtBothEnds", "  12  ", "0"},
                    Value{"NonAsciiUtf8", "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "0"},
                    Value{"NotUtf8", "\xFF\xFE \x80 \xC3(", "0"},
                    Value{"NegativeNumber", "-3", "-3"}),
    [](const testing::TestParamInfo<Value>& info) { return std::string(info.param.name); });

} // namespace
