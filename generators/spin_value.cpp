#include "generators/spin_value.h"

#include <charconv>
#include <optional>
#include <system_error>

namespace gen
{

namespace
{

// The whole of `digits` as an unsigned 32-bit number in `base`, or nothing when any character
// is not a digit of the base or the number does not fit. from_chars takes no blank, sign or
// prefix and does not depend on the locale; leading zeros are not significant.
std::optional<std::uint32_t> ParseDigits(std::string_view digits, int base)
{
    const char* const end = digits.data() + digits.size();
    std::uint32_t value = 0;
    const auto [stop, error] = std::from_chars(digits.data(), end, value, base);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

// Removes a hex prefix from the front of text and tells whether there was one.
bool TakeHexPrefix(std::string_view& text)
{
    const auto isX = [](char c) { return c == 'x' || c == 'X'; };
    std::size_t length = 0;
    if (!text.empty() && (text[0] == '$' || isX(text[0])))
        length = 1;
    else if (text.size() >= 2 && text[0] == '0' && isX(text[1]))
        length = 2;
    text.remove_prefix(length);
    return length > 0;
}

} // namespace

std::int32_t SpinValue(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return 0;
    text.remove_prefix(start);
    const bool negative = text[0] == '-';
    if (negative || text[0] == '+')
        text.remove_prefix(1);

    if (TakeHexPrefix(text)) {
        const std::optional<std::uint32_t> bits = ParseDigits(text, 16);
        if (!bits)
            return 0;
        // Unsigned negation wraps, so "-$80000000" keeps its bit pattern instead of overflowing.
        return static_cast<std::int32_t>(negative ? 0u - *bits : *bits);
    }
    // The largest magnitude is 2^31, which only a negative number may have.
    const std::optional<std::uint32_t> magnitude = ParseDigits(text, 10);
    if (!magnitude || *magnitude > (negative ? 2147483648u : 2147483647u))
        return 0;
    return static_cast<std::int32_t>(negative ? 0u - *magnitude : *magnitude);
}

std::string SpinValueText(std::string_view text)
{
    return std::to_string(SpinValue(text));
}

} // namespace gen
