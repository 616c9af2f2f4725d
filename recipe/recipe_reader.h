#pragma once

#include <cstddef>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>

#include "recipe/recipe.h"

namespace recipe
{

// Reads a recipe an entry at a time, so that the memory a run takes does not grow with the
// number of entries. The bytes come in chunks from a reader, read again for every pass; only
// the top level of the recipe and one entry are held at once.
class RecipeReader
{
public:
    // How many bytes a chunk reader is asked for at once.
    static constexpr std::size_t kChunkBytes = 64 * 1024;
    // Returns up to kChunkBytes of the recipe from `offset`; nothing at its end.
    using Chunks = std::function<std::string(std::size_t offset)>;
    using Consumer = std::function<void(Entry entry, std::size_t index)>;

    // Checks the JSON (nesting, syntax, keys given twice) and the recipe's top level (a format
    // this program reads, a list of snippets within the bounds). Throws RecipeError.
    explicit RecipeReader(Chunks chunks);

    // The number of entries.
    std::size_t Count() const { return count_; }
    // The top-level keys other than "format" and "snippets", in the order read.
    const nlohmann::ordered_json& Unknown() const { return unknown_; }

    // Reads the entries again, handing each to `consume` in order. Throws RecipeError at the
    // first entry of the wrong shape, naming it.
    void ForEachEntry(const Consumer& consume) const;

private:
    Chunks chunks_;
    std::size_t count_ = 0;
    nlohmann::ordered_json unknown_ = nlohmann::ordered_json::object();
};

} // namespace recipe
