#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "generators/edition.h"

namespace recipe
{

// The recipe format version this program reads and writes.
constexpr int kFormatVersion = 1;
// Bounds on what is read, so a hostile or mistaken file cannot exhaust memory.
constexpr std::size_t kMaxRecipeBytes = 16 * 1024 * 1024;
constexpr std::size_t kMaxEntries = 100000;

// A recipe that cannot be used. `place` says where: a key path such as
// "snippets[3].values.width" (entries counted from 0), or "line 2, column 7" when the JSON
// itself is malformed, or "" for the file as a whole. what() is "<place>: <message>".
class RecipeError : public std::runtime_error
{
public:
    RecipeError(std::string place, const std::string& message);
    const std::string& Place() const { return place_; }

private:
    std::string place_;
};

// One snippet of a recipe. Values are texts as typed, by option name, in the order read; an
// option left out takes its field's default.
struct Entry {
    std::string gadget;
    gen::Edition edition = gen::Edition::Classic;
    std::vector<std::pair<std::string, std::string>> values;
    std::optional<std::string> output; // relative to the recipe's folder
    bool stamp = false;                // the snippet starts with its stamp line
    bool csp = false; // written is what a page's Content Security Policy must admit for it
    nlohmann::ordered_json unknown = nlohmann::ordered_json::object(); // kept keys, in order

    // The value given for `option`, or nullptr.
    const std::string* Value(std::string_view option) const;
    // Gives `option` the text `value`, in its place when it is there, else at the end.
    void SetValue(std::string_view option, const std::string& value);
};

struct Recipe {
    std::vector<Entry> snippets;
    nlohmann::ordered_json unknown = nlohmann::ordered_json::object(); // kept keys, in order
};

// Reads a recipe from its bytes. Checks the JSON and the shape (types, the format version,
// the bounds above) but not the gadget table; see CheckRecipe. Throws RecipeError.
Recipe ParseRecipe(std::string_view bytes);

// The canonical bytes of a recipe: known keys first in a fixed order ("format", "snippets";
// "gadget", "edition", "values", "output", "stamp", "csp" (both written only when true)), then
// the kept keys in
// the order read; values in the order of the gadget's fields; two-space indent, LF line ends, a
// final newline. Throws RecipeError when a text is not UTF-8.
std::string WriteRecipe(const Recipe& recipe);

} // namespace recipe
