#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "generators/gadget_table.h"
#include "recipe/recipe.h"

// A recipe of `entries` snippets walking the gadget table, the editions taking turns each round,
// each written to out/N.html when `toFiles`.
inline recipe::Recipe BenchRecipe(std::size_t entries, bool toFiles)
{
    const std::vector<gen::GadgetEntry>& table = gen::GadgetTable();
    recipe::Recipe r;
    for (std::size_t i = 0; i < entries; ++i) {
        recipe::Entry entry;
        entry.gadget = std::string(table[i % table.size()].id);
        entry.edition = (i / table.size()) % 2 ? gen::Edition::Today : gen::Edition::Classic;
        if (toFiles)
            entry.output = "out/" + std::to_string(i) + ".html";
        r.snippets.push_back(std::move(entry));
    }
    return r;
}
