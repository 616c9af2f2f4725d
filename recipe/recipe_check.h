#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>

#include "generators/gadget_table.h"
#include "recipe/recipe.h"

namespace recipe
{

// Checks every entry of a recipe against the gadget table before anything is made of it: a
// known gadget, known options, values their fields take (the entry's snippet is generated and
// dropped), and outputs that are relative, stay below the recipe's folder by name (no "..")
// and are written by one entry only. Throws RecipeError naming the entry and the key. Whether
// an output leads through a symbolic link is a question for the file system; see
// platform::OutputPathProblem.
void CheckRecipe(const Recipe& recipe);

// The same checks an entry at a time, for a recipe read entry by entry. Keeps only each
// output's path, to find two entries writing the same file.
class EntryChecker
{
public:
    void Check(const Entry& entry, std::size_t index);

private:
    std::unordered_map<std::string, std::size_t> writers_;
};

// The gadget of a checked entry.
const gen::GadgetEntry& GadgetOf(const Entry& entry);

// The field values of an entry in the order of the gadget's fields, defaults where the entry
// gives none.
gen::FieldValues EntryValues(const Entry& entry, const gen::GadgetEntry& gadget);

// An output path in its plain form ("./a//b.html" is "a/b.html"), by which two entries are
// found to write the same file.
std::string PlainOutputPath(const std::string& output);

} // namespace recipe
