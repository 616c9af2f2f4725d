#include "recipe/key_set.h"

#include <functional>

namespace recipe
{

namespace
{

constexpr std::uint64_t kNumber = 0xFFFFFFFF;

// A slot holds the high half of a key's hash, which also places it, and the key's number (its
// index plus one, so 0 is an empty slot): a key is read only when its hash matches.
std::uint64_t SlotOf(std::uint64_t hash, std::size_t number)
{
    return (hash & ~kNumber) | number;
}

} // namespace

bool KeySet::Insert(std::string_view key)
{
    if (4 * (keys_.size() + 1) > 3 * table_.size())
        Grow();
    const std::uint64_t hash = std::hash<std::string_view>{}(key);
    std::uint64_t* slot = SlotFor(hash, key);
    if (*slot != 0)
        return false;
    keys_.push_back(
        {static_cast<std::uint32_t>(text_.size()), static_cast<std::uint32_t>(key.size())});
    text_.append(key);
    *slot = SlotOf(hash, keys_.size());
    return true;
}

std::uint64_t* KeySet::SlotFor(std::uint64_t hash, std::string_view key)
{
    const std::size_t mask = table_.size() - 1;
    for (std::size_t at = (hash >> 32) & mask;; at = (at + 1) & mask) {
        std::uint64_t& slot = table_[at];
        if (slot == 0)
            return &slot;
        if ((slot & ~kNumber) != (hash & ~kNumber))
            continue;
        const Key& k = keys_[(slot & kNumber) - 1];
        if (std::string_view(text_).substr(k.offset, k.size) == key)
            return &slot;
    }
}

void KeySet::Grow()
{
    // Kept at most three quarters full: a probe still ends soon at an empty slot, mostly in the
    // cache line the first look brought in, and the table of a million keys stays a size
    // smaller.
    std::vector<std::uint64_t> old(table_.empty() ? 16 : table_.size() * 2, 0);
    old.swap(table_);
    const std::size_t mask = table_.size() - 1;
    for (const std::uint64_t slot : old) {
        if (slot == 0)
            continue;
        std::size_t at = (slot >> 32) & mask;
        while (table_[at] != 0)
            at = (at + 1) & mask;
        table_[at] = slot;
    }
}

} // namespace recipe
