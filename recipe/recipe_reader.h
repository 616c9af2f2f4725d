#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "recipe/entry_spool.h"
#include "recipe/recipe.h"

namespace recipe
{

// Reads a recipe once, an entry at a time, so that the memory a run takes does not grow with
// the number of entries: the bytes come in chunks from a reader, each entry is read as it is
// parsed and kept in a spool (outside memory where the caller gives such a store), and every
// pass over the entries reads the spool, not the recipe. Only the top level of the recipe and
// one entry are held at once.
class RecipeReader
{
public:
    // How many bytes a chunk reader is asked for at once.
    static constexpr std::size_t kChunkBytes = 64 * 1024;
    // Returns up to kChunkBytes of the recipe from `offset`; nothing at its end.
    using Chunks = std::function<std::string(std::size_t offset)>;
    using Consumer = EntrySpool::Consumer;

    // Checks the JSON (nesting, syntax, keys given twice) and the recipe's top level (a format
    // this program reads, a list of snippets within the bounds). Throws RecipeError. The
    // recipe's own unknown keys and its entries' are kept only with `keepUnknown`.
    explicit RecipeReader(const Chunks& chunks, std::unique_ptr<SpoolStore> store = nullptr,
                          bool keepUnknown = true);

    // The number of entries.
    std::size_t Count() const { return count_; }
    // The top-level keys other than "format" and "snippets", in the order read.
    const nlohmann::ordered_json& Unknown() const { return unknown_; }

    // Hands each entry to `consume` in order. Throws RecipeError at the first entry of the
    // wrong shape, naming it, after the entries before it.
    void ForEachEntry(const Consumer& consume) const;

private:
    EntrySpool spool_;
    std::size_t count_ = 0, spooled_ = 0;
    std::optional<RecipeError> misshapen_; // the first entry of the wrong shape
    nlohmann::ordered_json unknown_ = nlohmann::ordered_json::object();
};

} // namespace recipe
