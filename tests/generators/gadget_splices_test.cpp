// Every spliced line of the gadgets with fields, driven through the gadget table: each field in
// turn takes an awkward value while the others hold plain ones. A spliced line must be its
// literal parts, cut from the gadget's golden line at the lengths given below, with the field
// texts, escaped for where they land, between them; every other line must stay exactly as the
// golden file has it. Fields that land as code take only numbers (or true/false) and are checked
// with the number row here; what they refuse is tested with the field checks.
#include "generators/escape.h"
#include "generators/gadget_table.h"
#include "generators/spin_value.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/golden_file.h"

namespace
{

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

using Escape = std::string (*)(std::string_view);

enum class Lands {
    Literal, // a literal part of the golden line
    Text,    // the field's text, escaped
    Code,    // the field's text as it is: a number or true/false
    Spin,    // the spin box's value, not its text
};

struct Piece {
    Lands lands = Lands::Literal;
    std::size_t length = 0; // a literal part's length in the golden line
    int field = -1;         // index into the gadget's fields
    Escape escape = nullptr;
    bool required = false; // an empty text is refused
};

Piece Lit(std::size_t length)
{
    return {Lands::Literal, length};
}
Piece Text(int field, Escape escape)
{
    return {Lands::Text, 0, field, escape};
}
Piece Address(int field)
{
    return {Lands::Text, 0, field, Js2, true};
}
Piece Code(int field)
{
    return {Lands::Code, 0, field};
}
Piece Spin(int field)
{
    return {Lands::Spin, 0, field};
}

struct SplicedLine {
    int number; // 1-based
    std::vector<Piece> pieces;
};

struct GadgetSplices {
    std::string_view id;
    std::vector<SplicedLine> lines;
};

const std::vector<GadgetSplices>& Splices()
{
    static const std::vector<GadgetSplices> all = {
        {"bookmark-us",
         {
             {11, {Lit(9), Text(0, Js2), Lit(2)}},
             {12, {Lit(11), Text(1, Js2), Lit(2)}},
         }},
        {"set-homepage",
         {
             {12, {Lit(26), Text(0, Js2), Lit(2)}},
             {15, {Lit(127), Text(0, JsInAttrInJs1), Lit(9)}},
             {20, {Lit(26), Text(0, Js2), Lit(2)}},
             {23, {Lit(27), Text(0, AttrInJs1), Lit(74)}},
         }},
        {"logo-branding",
         {
             {14, {Lit(9), Spin(3), Lit(27)}},
             {15, {Lit(10), Spin(4), Lit(28)}},
             {63,
              {Lit(9), Text(1, Attr), Lit(30), Text(0, JsInAttr1), Lit(75), Text(2, Attr), Lit(9),
               Spin(3), Lit(10), Spin(4), Lit(38)}},
         }},
        {"frameless-popup",
         {
             {14, {Lit(12), Code(2), Lit(8)}},
             {15, {Lit(12), Code(3), Lit(8)}},
             {18, {Lit(14), Text(0, Js2), Lit(1)}},
             {22, {Lit(16), Code(4)}},
         }},
        {"browser-entry",
         {
             {14, {Lit(6), Address(0), Lit(3)}},
             {16, {Lit(6), Address(1), Lit(2)}},
         }},
        {"popup-page",
         {
             {13, {Lit(12), Text(0, Js2), Lit(2)}},
             {14, {Lit(22), Code(2), Lit(7), Code(1), Lit(14)}},
             {24, {Lit(40), Code(3), Lit(7)}},
         }},
    };
    return all;
}

const gen::GadgetEntry& Gadget(std::string_view id)
{
    const gen::GadgetEntry* gadget = gen::FindGadget(id);
    if (gadget == nullptr || gadget->generate == nullptr)
        throw std::runtime_error("no gadget " + std::string(id));
    return *gadget;
}

// The texts of a gadget's fields, and the spliced texts of its spin boxes.
struct FieldTexts {
    gen::FieldValues text;
    std::vector<std::string> spin;

    // What the piece puts into its line.
    std::string Landed(const Piece& p) const
    {
        switch (p.lands) {
        case Lands::Text:
            return p.escape(text[p.field]);
        case Lands::Code:
            return text[p.field];
        case Lands::Spin:
            return spin[p.field];
        case Lands::Literal:
            break;
        }
        throw std::logic_error("a literal piece has no field");
    }
};

// The texts the page starts with: what the golden file was written for.
FieldTexts Defaults(const gen::GadgetEntry& gadget)
{
    FieldTexts texts;
    for (const gen::FieldEntry& field : gadget.fields) {
        texts.text.emplace_back(field.defaultText);
        texts.spin.push_back(gen::SpinValueText(field.defaultText));
    }
    return texts;
}

// The golden line cut at the literal parts' lengths, with the start texts as they land skipped
// and `texts` as they land put in their place.
std::string Spliced(const SplicedLine& line, std::string_view golden, const FieldTexts& defaults,
                    const FieldTexts& texts)
{
    std::string text;
    std::size_t at = 0;
    for (const Piece& p : line.pieces) {
        if (p.lands == Lands::Literal) {
            text += golden.substr(at, p.length);
            at += p.length;
        } else {
            text += texts.Landed(p);
            at += defaults.Landed(p).size();
        }
    }
    return text;
}

// The golden lines are the literal parts of the given lengths with the start texts, as they
// land, between them, and nothing more.
TEST(GadgetSplices, GoldenLinesHoldLiteralPartsOfTheGivenLengths)
{
    for (const GadgetSplices& g : Splices()) {
        const std::vector<std::string> golden = GoldenLines(g.id);
        const FieldTexts defaults = Defaults(Gadget(g.id));
        for (const SplicedLine& line : g.lines) {
            ASSERT_LE(static_cast<std::size_t>(line.number), golden.size()) << g.id;
            const std::string& text = golden[line.number - 1];
            std::size_t length = 0;
            for (const Piece& p : line.pieces) {
                if (p.lands != Lands::Literal) {
                    const std::string landed = defaults.Landed(p);
                    EXPECT_EQ(text.compare(length, landed.size(), landed), 0)
                        << g.id << " line " << line.number << ": no start text at " << length;
                    length += landed.size();
                } else {
                    length += p.length;
                }
            }
            EXPECT_EQ(length, text.size()) << g.id << " line " << line.number << ": " << text;
            EXPECT_EQ(Spliced(line, text, defaults, defaults), text) << g.id;
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

std::vector<const Piece*> PiecesOf(const GadgetSplices& g, int field)
{
    std::vector<const Piece*> pieces;
    for (const SplicedLine& line : g.lines)
        for (const Piece& p : line.pieces)
            if (p.field == field)
                pieces.push_back(&p);
    return pieces;
}

bool LandsAsCode(const GadgetSplices& g, int field)
{
    for (const Piece* p : PiecesOf(g, field))
        if (p->lands == Lands::Code)
            return true;
    return false;
}

bool IsRequired(const GadgetSplices& g, int field)
{
    for (const Piece* p : PiecesOf(g, field))
        if (p->required)
            return true;
    return false;
}

// What a field holds while another one is under test: distinct, so a swapped field shows. A
// code field with a list of choices (true/false) takes its last choice, which is not its start
// text; one without takes a number.
std::string PlainText(const GadgetSplices& g, const gen::FieldEntry& field, int index)
{
    if (field.kind == gen::FieldKind::Number)
        return std::to_string(100 + index);
    if (!LandsAsCode(g, index))
        return "plain" + std::to_string(index);
    if (field.kind == gen::FieldKind::Choice)
        return std::string(field.choices.substr(field.choices.rfind('\n') + 1));
    return std::to_string(200 + index);
}

// Whether the field can take `v` here: a code field takes the number row only, as a true/false
// field takes none of the rows, and a required field does not take the empty text.
bool Takes(const GadgetSplices& g, const gen::FieldEntry& field, int index, const Value& v)
{
    if (LandsAsCode(g, index) && (field.kind == gen::FieldKind::Choice || v.text != "640"))
        return false;
    return !(v.text.empty() && IsRequired(g, index));
}

class SplicedValueTest : public testing::TestWithParam<Value>
{
};

TEST_P(SplicedValueTest, LandsEscapedBetweenTheLiteralPartsAndNothingElseMoves)
{
    const Value& v = GetParam();
    for (const GadgetSplices& g : Splices()) {
        const gen::GadgetEntry& gadget = Gadget(g.id);
        const std::vector<std::string> golden = GoldenLines(g.id);
        const FieldTexts defaults = Defaults(gadget);
        const int fieldCount = static_cast<int>(gadget.fields.size());
        for (int tested = 0; tested < fieldCount; ++tested) {
            if (!Takes(g, gadget.fields[tested], tested, v))
                continue;
            FieldTexts texts;
            for (int k = 0; k < fieldCount; ++k) {
                const std::string plain = PlainText(g, gadget.fields[k], k);
                texts.text.push_back(k == tested ? v.text : plain);
                texts.spin.push_back(k == tested ? v.spinText : gen::SpinValueText(plain));
            }
            std::vector<std::string> expected = golden;
            for (const SplicedLine& line : g.lines) {
                ASSERT_LE(static_cast<std::size_t>(line.number), golden.size()) << g.id;
                expected[line.number - 1] = Spliced(line, golden[line.number - 1], defaults, texts);
            }
            const std::vector<std::string> lines = gadget.generate(texts.text).Lines();
            ASSERT_EQ(lines.size(), expected.size()) << g.id;
            for (std::size_t i = 0; i < lines.size(); ++i)
                EXPECT_EQ(lines[i], expected[i])
                    << g.id << " line " << i + 1 << ", field " << gadget.fields[tested].option;
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
