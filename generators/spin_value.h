#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace gen
{

// The whole number a spin box's text stands for. The box has no limits, so a text that is not
// a whole number gives 0, the box's minimum.
//
// Accepted forms, with nothing else before or after:
//   blanks* sign? digits             decimal; the result must fit in 32 signed bits
//   blanks* sign? prefix hexdigits   prefix "$", "x", "X", "0x" or "0X"; at most eight
//                                    significant hex digits, read as 32-bit two's complement
// Blanks are spaces (0x20) only; sign is one "+" or "-".
//
// How the cases the forms above leave open are read:
// - A sign may stand before a hex prefix and negates the two's-complement value, wrapping in
//   32 bits: "-$10" is -16, "-$FFFFFFFF" is 1, "-$80000000" stays -2147483648. A sign after
//   the prefix ("$-10") is not a hex digit, so that text gives 0.
// - Leading zeros are not significant, in hex as in decimal: "0x000000001" is 1 and
//   "0x0FFFFFFFF" is -1, while "0x100000000" (nine significant digits) gives 0.
// - A prefix with no digits ("$", "0x", "-x") gives 0.
std::int32_t SpinValue(std::string_view text);

// SpinValue written in plain decimal: "-" for negative values, no "+", no leading zeros, no
// blanks. "0235" gives "235", "+7" gives "7", "19.5" and "" give "0".
std::string SpinValueText(std::string_view text);

} // namespace gen
