#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace recipe
{

// The keys of one JSON object, told apart in constant time: a flat table of hashes over the
// keys kept end to end, so a million keys cost a few allocations and about one cache miss a
// lookup instead of a node each.
class KeySet
{
public:
    // Adds `key`; false when it was there already.
    bool Insert(std::string_view key);

private:
    struct Key {
        std::uint32_t offset, size; // into text_
    };
    void Grow();
    std::uint64_t* SlotFor(std::uint64_t hash, std::string_view key);

    std::string text_;
    std::vector<Key> keys_;
    std::vector<std::uint64_t> table_; // open addressing, at most three quarters full
};

} // namespace recipe
