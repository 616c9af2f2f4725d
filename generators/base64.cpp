#include "generators/base64.h"

#include <algorithm>
#include <string_view>

namespace gen
{

std::string Base64(std::span<const std::uint8_t> bytes)
{
    constexpr std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t at = 0; at < bytes.size(); at += 3) {
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - at);
        std::uint32_t group = std::uint32_t(bytes[at]) << 16;
        if (count > 1)
            group |= std::uint32_t(bytes[at + 1]) << 8;
        if (count > 2)
            group |= bytes[at + 2];
        for (std::size_t i = 0; i < 4; ++i)
            text.push_back(i <= count ? kAlphabet[(group >> (18 - 6 * i)) & 0x3f] : '=');
    }
    return text;
}

} // namespace gen
