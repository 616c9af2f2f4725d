#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace branding
{

// A set of names that finds every one of them a text begins with, in memory linear in the
// number of names and time logarithmic in it plus the length of the longest name.
class NameIndex
{
public:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    // `names` must outlive the index; equal names are allowed and each is reported.
    explicit NameIndex(const std::vector<std::string_view>& names);

    // Calls found(i) for each name i that `text` begins with, longest first, as long as found
    // returns true.
    template <class Found> void Match(std::string_view text, Found found) const
    {
        for (std::uint32_t at = LongestPrefixOf(text); at != kNone; at = shorter_[at]) {
            if (!found(order_[at]))
                return;
        }
    }

private:
    // The place in sorted order of the longest name `text` begins with, or kNone.
    std::uint32_t LongestPrefixOf(std::string_view text) const;

    const std::vector<std::string_view>& names_;
    // Name indices in byte order, and for each place the place of the longest name that is a
    // proper prefix of it (equal names count as prefixes of each other).
    std::vector<std::uint32_t> order_;
    std::vector<std::uint32_t> shorter_;
};

} // namespace branding
