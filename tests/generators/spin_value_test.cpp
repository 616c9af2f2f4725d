#include "generators/spin_value.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace
{

struct SpinCase {
    const char* name;
    std::string_view text;
    std::int32_t value;
};

void PrintTo(const SpinCase& c, std::ostream* os)
{
    *os << c.name;
}

class SpinValueTest : public testing::TestWithParam<SpinCase>
{
};

TEST_P(SpinValueTest, ReadsTheTextAndWritesPlainDecimal)
{
    const SpinCase& c = GetParam();
    EXPECT_EQ(gen::SpinValue(c.text), c.value);
    EXPECT_EQ(gen::SpinValueText(c.text), std::to_string(c.value));
}

using namespace std::string_view_literals;

INSTANTIATE_TEST_SUITE_P(
    Texts, SpinValueTest,
    testing::Values(
        // Decimal
        SpinCase{"LeadingZero", "0235", 235}, SpinCase{"PlusSign", "+7", 7},
        SpinCase{"Negative", "-3", -3}, SpinCase{"MinusZero", "-0", 0},
        SpinCase{"LeadingBlanks", "  42", 42}, SpinCase{"ManyLeadingZeros", "000000000000012", 12},
        SpinCase{"Largest", "2147483647", 2147483647},
        SpinCase{"Smallest", "-2147483648", INT32_MIN}, SpinCase{"JustAboveRange", "2147483648", 0},
        SpinCase{"JustBelowRange", "-2147483649", 0},
        SpinCase{"FarOutOfRange", "99999999999999999999", 0},
        // Not a whole number
        SpinCase{"DecimalPoint", "19.5", 0}, SpinCase{"DecimalComma", "19,5", 0},
        SpinCase{"Empty", "", 0}, SpinCase{"BlanksOnly", "   ", 0},
        SpinCase{"TrailingBlank", "42 ", 0}, SpinCase{"TrailingLetter", "42a", 0},
        SpinCase{"MinusAlone", "-", 0}, SpinCase{"PlusAlone", "+", 0},
        SpinCase{"TwoSigns", "+-3", 0}, SpinCase{"BlankAfterSign", "- 3", 0},
        SpinCase{"LeadingTab", "\t5", 0},
        SpinCase{"InnerNul",
                 "1\0"sv
                 "2",
                 0},
        SpinCase{"FullwidthDigit", "\xEF\xBC\x91", 0}, SpinCase{"LatinSmallE", "1e3", 0},
        // Hexadecimal
        SpinCase{"Dollar", "$FF", 255}, SpinCase{"ZeroX", "0x10", 16},
        SpinCase{"ZeroUpperX", "0X1f", 31}, SpinCase{"BareX", "xFFFFFFFF", -1},
        SpinCase{"BareUpperX", "XFF", 255}, SpinCase{"BlanksThenHex", "  $10", 16},
        SpinCase{"LargestPositiveHex", "$7FFFFFFF", 2147483647},
        SpinCase{"HighBitHex", "$80000000", INT32_MIN},
        SpinCase{"LeadingZerosNotSignificant", "0x000000001", 1},
        SpinCase{"NineDigitsEightSignificant", "0x0FFFFFFFF", -1},
        SpinCase{"NineSignificantDigits", "$100000000", 0}, SpinCase{"DollarAlone", "$", 0},
        SpinCase{"ZeroXAlone", "0x", 0}, SpinCase{"NotAHexDigit", "$FG", 0},
        SpinCase{"BlankInsideHex", "0x 10", 0}, SpinCase{"DoubleZeroBeforeX", "00x10", 0},
        // Sign before a hex prefix negates; after it, it is not a digit
        SpinCase{"MinusDollar", "-$10", -16}, SpinCase{"MinusZeroX", "-0x10", -16},
        SpinCase{"PlusDollar", "+$10", 16}, SpinCase{"MinusAllOnes", "-$FFFFFFFF", 1},
        SpinCase{"MinusHighBitWraps", "-$80000000", INT32_MIN},
        SpinCase{"SignAfterPrefix", "$-10", 0}, SpinCase{"MinusPrefixAlone", "-x", 0}),
    [](const testing::TestParamInfo<SpinCase>& info) { return std::string(info.param.name); });

} // namespace
