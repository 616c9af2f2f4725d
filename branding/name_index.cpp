#include "branding/name_index.h"

#include <algorithm>

namespace branding
{

namespace
{

std::size_t CommonPrefix(std::string_view a, std::string_view b)
{
    const auto [end, unused] =
        std::mismatch(a.begin(), a.begin() + std::min(a.size(), b.size()), b.begin());
    return static_cast<std::size_t>(end - a.begin());
}

} // namespace

NameIndex::NameIndex(const std::vector<std::string_view>& names) : names_(names)
{
    order_.resize(names.size());
    for (std::uint32_t i = 0; i < order_.size(); ++i)
        order_[i] = i;
    std::sort(order_.begin(), order_.end(),
              [&](std::uint32_t a, std::uint32_t b) { return names[a] < names[b]; });
    // In byte order the names a name begins with all come before it, so the open prefixes
    // form a stack: whatever on it is no prefix of the next name is no prefix of any later one.
    shorter_.assign(order_.size(), kNone);
    std::vector<std::uint32_t> open;
    for (std::uint32_t at = 0; at < order_.size(); ++at) {
        const std::string_view name = names[order_[at]];
        while (!open.empty() && !name.starts_with(names[order_[open.back()]]))
            open.pop_back();
        if (!open.empty())
            shorter_[at] = open.back();
        open.push_back(at);
    }
}

std::uint32_t NameIndex::LongestPrefixOf(std::string_view text) const
{
    // A name that `text` begins with lies between it and the greatest name not above it, so it
    // is a prefix of that name too, no longer than what that name shares with `text`.
    const auto after =
        std::upper_bound(order_.begin(), order_.end(), text,
                         [&](std::string_view t, std::uint32_t i) { return t < names_[i]; });
    if (after == order_.begin())
        return kNone;
    auto at = static_cast<std::uint32_t>(after - order_.begin() - 1);
    const std::size_t shared = CommonPrefix(names_[order_[at]], text);
    while (at != kNone && names_[order_[at]].size() > shared)
        at = shorter_[at];
    return at;
}

} // namespace branding
