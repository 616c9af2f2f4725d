#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "recipe/recipe.h"

namespace recipe
{

// Where a spool keeps its bytes: appended once, then read back as often as needed.
class SpoolStore
{
public:
    virtual ~SpoolStore() = default;
    virtual void Append(std::string_view bytes) = 0;
    // Up to `count` bytes from `offset`; fewer only at the end.
    virtual std::string ReadAt(std::uint64_t offset, std::size_t count) const = 0;
};

// The entries of a recipe as parsed, kept in order in a compact form for the passes after the
// parse, so that the recipe's JSON is parsed once however many passes a run makes. Only a
// chunk of the spool is in memory at a time; its bytes go to `store` (in memory by default, a
// run gives a file outside its memory).
class EntrySpool
{
public:
    using Consumer = std::function<void(Entry entry, std::size_t index)>;

    explicit EntrySpool(std::unique_ptr<SpoolStore> store = nullptr);

    // Keeps `entry`, with its kept keys when `keepUnknown`.
    void Add(const Entry& entry, bool keepUnknown);
    // Hands the first `count` entries to `consume`, in order.
    void ForEach(std::size_t count, const Consumer& consume) const;

private:
    void Flush() const;

    std::unique_ptr<SpoolStore> store_;
    mutable std::string pending_; // appended, not yet in the store
};

} // namespace recipe
