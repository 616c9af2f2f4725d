// Every spliced line of the gadgets with fields, driven through the gadget table: each field in
// turn takes an awkward value while the others hold plain ones. A spliced line must be its
// literal parts, as the gadget's golden file has them, with the field texts between them, and
// every other line must stay as the golden file has it.
#include "generators/gadget_table.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "generators/spin_value.h"
#include "tests/support/file_bytes.h"

namespace
{

// A literal part of the stated length, or a field's text.
struct Piece {
    std::size_t statedLength = 0; // the length the snippet's description gives for the literal
    int field = -1;               // index into the gadget's fields, or -1 for a literal
    bool spin = false;            // the field is a spin box: its value is spliced, not its text
};

Piece Lit(std::size_t length)
{
    return {length};
}
Piece Text(int field)
{
    return {0, field, false};
}
Piece Spin(int field)
{
    return {0, field, true};
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
             {11, {Lit(9), Text(0), Lit(2)}},
             {12, {Lit(11), Text(1), Lit(2)}},
         }},
        {"set-homepage",
         {
             {12, {Lit(26), Text(0), Lit(2)}},
             {15, {Lit(127), Text(0), Lit(9)}},
             {20, {Lit(26), Text(0), Lit(2)}},
             {23, {Lit(27), Text(0), Lit(74)}},
         }},
        {"logo-branding",
         {
             {14, {Lit(9), Spin(3), Lit(27)}},
             {15, {Lit(10), Spin(4), Lit(28)}},
             {63,
              {Lit(9), Text(1), Lit(30), Text(0), Lit(75), Text(2), Lit(9), Spin(3), Lit(10),
               Spin(4), Lit(38)}},
         }},
        {"frameless-popup",
         {
             {14, {Lit(12), Text(1), Lit(8)}},
             {15, {Lit(12), Text(2), Lit(8)}},
             {18, {Lit(14), Text(0), Lit(1)}},
             {22, {Lit(16), Text(3)}},
         }},
        {"browser-entry",
         {
             {14, {Lit(6), Text(0), Lit(3)}},
             {16, {Lit(6), Text(1), Lit(2)}},
         }},
        {"popup-page",
         {
             {13, {Lit(12), Text(0), Lit(2)}},
             {14, {Lit(22), Text(2), Lit(7), Text(1), Lit(14)}},
             {24, {Lit(40), Text(3), Lit(7)}},
         }},
    };
    return all;
}

std::vector<std::string> GoldenLines(std::string_view id)
{
    const std::string text =
        ReadBytes(std::string(SITEWRIGHT_GOLDEN_DIR) + "/" + std::string(id) + ".txt");
    std::vector<std::string> lines;
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t end = text.find("\r\n", from);
        if (end == std::string::npos)
            break;
        lines.push_back(text.substr(from, end - from));
        from = end + 2;
    }
    return lines;
}

const gen::GadgetSpec& Gadget(std::string_view id)
{
    const gen::GadgetSpec* gadget = gen::FindGadget(id);
    if (gadget == nullptr || gadget->generate == nullptr)
        throw std::runtime_error("no gadget " + std::string(id));
    return *gadget;
}

bool IsSpin(const gen::FieldSpec& field)
{
    return field.component.starts_with("SpinEdit");
}

// The texts of a gadget's fields, as a field's text piece splices them and as its spin piece
// does.
struct FieldTexts {
    std::vector<std::string> text;
    std::vector<std::string> spin;

    const std::string& Of(const Piece& p) const { return p.spin ? spin[p.field] : text[p.field]; }
};

// The texts the page starts with.
FieldTexts Defaults(const gen::GadgetSpec& gadget)
{
    FieldTexts texts;
    for (const gen::FieldSpec& field : gadget.fields) {
        texts.text.emplace_back(field.defaultText);
        texts.spin.push_back(gen::SpinValueText(field.defaultText));
    }
    return texts;
}

// The spliced line built from the golden line's literal parts and `texts` for the fields; the
// golden line is cut by the stated lengths, with the start texts between the parts.
std::string Spliced(const SplicedLine& line, std::string_view golden, const FieldTexts& defaults,
                    const FieldTexts& texts)
{
    std::string text;
    std::size_t at = 0;
    for (const Piece& p : line.pieces) {
        if (p.field < 0) {
            text += golden.substr(at, p.statedLength);
            at += p.statedLength;
        } else {
            text += texts.Of(p);
            at += defaults.Of(p).size();
        }
    }
    return text;
}

// The golden lines are the literal parts of their stated lengths with the start texts between
// them, and nothing more.
TEST(GadgetSplices, GoldenLinesHoldLiteralPartsOfTheStatedLengths)
{
    for (const GadgetSplices& g : Splices()) {
        const std::vector<std::string> golden = GoldenLines(g.id);
        const FieldTexts defaults = Defaults(Gadget(g.id));
        for (const SplicedLine& line : g.lines) {
            ASSERT_LE(static_cast<std::size_t>(line.number), golden.size()) << g.id;
            const std::string& text = golden[line.number - 1];
            std::size_t length = 0;
            for (const Piece& p : line.pieces) {
                if (p.field >= 0) {
                    EXPECT_EQ(text.compare(length, defaults.Of(p).size(), defaults.Of(p)), 0)
                        << g.id << " line " << line.number << ": no start text at " << length;
                }
                length += p.field < 0 ? p.statedLength : defaults.Of(p).size();
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

// What the other fields hold while one field is under test: distinct, so a swapped field shows.
std::string PlainText(int field)
{
    return "plain" + std::to_string(field);
}
std::string PlainSpin(int field)
{
    return std::to_string(100 + field);
}

class SplicedValueTest : public testing::TestWithParam<Value>
{
};

TEST_P(SplicedValueTest, LandsVerbatimBetweenTheLiteralParts)
{
    const Value& v = GetParam();
    for (const GadgetSplices& g : Splices()) {
        const gen::GadgetSpec& gadget = Gadget(g.id);
        const std::vector<std::string> golden = GoldenLines(g.id);
        const FieldTexts defaults = Defaults(gadget);
        const int fieldCount = static_cast<int>(gadget.fields.size());
        for (int tested = 0; tested < fieldCount; ++tested) {
            FieldTexts texts;
            for (int k = 0; k < fieldCount; ++k) {
                const bool spin = IsSpin(gadget.fields[k]);
                texts.text.push_back(k == tested ? v.text : spin ? PlainSpin(k) : PlainText(k));
                texts.spin.push_back(k == tested ? v.spinText : PlainSpin(k));
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
