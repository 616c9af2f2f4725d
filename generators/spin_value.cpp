#include "generators/spin_value.h"

#include <optional>

namespace gen {

namespace {

// Spelled out rather than <cctype>, whose answers depend on the locale and on the sign of
// char for bytes above 0x7F.
int DigitValue(char c, int base)
{
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < base ? v : -1;
}

// The bit pattern of one to eight significant hex digits.
std::optional<std::uint32_t> ParseHex(std::string_view digits)
{
    if (digits.empty())
        return std::nullopt;
    std::uint32_t value = 0;
    int significant = 0;
    for (char c : digits) {
        const int d = DigitValue(c, 16);
        if (d < 0)
            return std::nullopt;
        if (significant > 0 || d != 0)
            ++significant;
        if (significant > 8)
            return std::nullopt;
        value = value << 4 | static_cast<std::uint32_t>(d);
    }
    return value;
}

// The magnitude of a decimal number, as long as it is at most 2^31 (the largest a negative
// 32-bit number has); stopping there keeps any run of digits from overflowing.
std::optional<std::uint32_t> ParseDecimal(std::string_view digits)
{
    constexpr std::uint32_t kLimit = 2147483648u;
    if (digits.empty())
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : digits) {
        const int d = DigitValue(c, 10);
        if (d < 0 || value > (kLimit - static_cast<std::uint32_t>(d)) / 10)
            return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(d);
    }
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
        const std::optional<std::uint32_t> bits = ParseHex(text);
        if (!bits)
            return 0;
        // Unsigned negation wraps, so "-$80000000" keeps its bit pattern instead of overflowing.
        return static_cast<std::int32_t>(negative ? 0u - *bits : *bits);
    }
    const std::optional<std::uint32_t> magnitude = ParseDecimal(text);
    if (!magnitude || (!negative && *magnitude > 2147483647u))
        return 0;
    return static_cast<std::int32_t>(negative ? 0u - *magnitude : *magnitude);
}

std::string SpinValueText(std::string_view text)
{
    return std::to_string(SpinValue(text));
}

} // namespace gen
