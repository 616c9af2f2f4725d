#include <gtest/gtest.h>

#include <string>

#include "generators/gadget_table.h"
#include "recipe/recipe.h"
#include "recipe/recipe_reader.h"

namespace
{

using recipe::Entry;
using recipe::Recipe;

// Texts a field keeps as typed, whatever JSON or the page would make of them.
const std::string kHostile[] = {"\"quoted\" 'and' `ticked`",
                                "</script><script>alert(1)</script>",
                                "two\nlines\r\nand\ttab",
                                "na\xC3\xAFve \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80",
                                "back\\slash \\u0041 \\n",
                                "\xE2\x80\xA8line separator",
                                "",
                                "   padded   ",
                                "{\"json\": [1]}"};

Recipe EveryFieldHostile()
{
    Recipe r;
    std::size_t n = 0;
    for (const gen::GadgetEntry& gadget : gen::GadgetTable())
        for (const gen::Edition edition : {gen::Edition::Classic, gen::Edition::Today}) {
            Entry entry;
            entry.gadget = std::string(gadget.id);
            entry.edition = edition;
            for (const gen::FieldEntry& field : gadget.fields)
                entry.SetValue(field.option, kHostile[n++ % std::size(kHostile)]);
            r.snippets.push_back(entry);
        }
    return r;
}

std::string OneEntry(const std::string& entry)
{
    return "{\"format\": 1, \"snippets\": [" + entry + "]}";
}

TEST(RecipeFormat, EveryFieldOfEveryGadgetRoundTripsExactly)
{
    const Recipe written = EveryFieldHostile();
    const std::string bytes = recipe::WriteRecipe(written);
    const Recipe read = recipe::ParseRecipe(bytes);
    ASSERT_EQ(read.snippets.size(), written.snippets.size());
    for (std::size_t i = 0; i < read.snippets.size(); ++i) {
        EXPECT_EQ(read.snippets[i].gadget, written.snippets[i].gadget);
        EXPECT_EQ(read.snippets[i].edition, written.snippets[i].edition);
        EXPECT_EQ(read.snippets[i].values, written.snippets[i].values) << "entry " << i;
    }
    EXPECT_EQ(recipe::WriteRecipe(read), bytes);
}

// A reader fed `bytes` a few at a time, so every token and key spans chunk boundaries.
recipe::RecipeReader SmallChunks(const std::string& bytes, std::size_t size)
{
    return recipe::RecipeReader([&bytes, size](std::size_t offset) {
        return offset >= bytes.size() ? std::string() : bytes.substr(offset, size);
    });
}

TEST(RecipeFormat, EntriesReadInChunksOfAnySizeAreTheSame)
{
    Recipe written = EveryFieldHostile();
    written.unknown["kept"] = {{"a", 1}};
    written.snippets[1].output = "out/1.html";
    const std::string bytes = recipe::WriteRecipe(written);
    for (const std::size_t size : {1, 2, 7, 4096}) {
        const recipe::RecipeReader reader = SmallChunks(bytes, size);
        Recipe read;
        read.unknown = reader.Unknown();
        std::size_t expected = 0;
        reader.ForEachEntry([&](Entry entry, std::size_t index) {
            EXPECT_EQ(index, expected++);
            read.snippets.push_back(std::move(entry));
        });
        EXPECT_EQ(reader.Count(), written.snippets.size());
        EXPECT_EQ(recipe::WriteRecipe(read), bytes) << "chunks of " << size;
    }
}

// The recipe is parsed once: each pass over its entries reads what the parse kept, never the
// recipe again, so a pass costs nothing of the recipe's size.
TEST(RecipeFormat, PassesOverTheEntriesReadTheRecipeNoMore)
{
    const std::string bytes = recipe::WriteRecipe(EveryFieldHostile());
    std::size_t reads = 0;
    const recipe::RecipeReader reader([&](std::size_t offset) {
        ++reads;
        return offset >= bytes.size() ? std::string() : bytes.substr(offset, 7);
    });
    // One look at the bytes before the parser sees them, and the parse.
    EXPECT_LE(reads, 2 * (bytes.size() / 7 + 2));
    const std::size_t parsed = reads;
    for (int pass = 0; pass < 3; ++pass) {
        Recipe read;
        reader.ForEachEntry(
            [&](Entry entry, std::size_t) { read.snippets.push_back(std::move(entry)); });
        EXPECT_EQ(recipe::WriteRecipe(read), bytes) << "pass " << pass;
    }
    EXPECT_EQ(reads, parsed);
}

TEST(RecipeFormat, CanonicalBytesAreStable)
{
    const std::string canonical = "{\n"
                                  "  \"format\": 1,\n"
                                  "  \"snippets\": [\n"
                                  "    {\n"
                                  "      \"gadget\": \"popup-page\",\n"
                                  "      \"edition\": \"today\",\n"
                                  "      \"values\": {\n"
                                  "        \"url\": \"http://example.org/\",\n"
                                  "        \"width\": \"300\"\n"
                                  "      },\n"
                                  "      \"output\": \"popup.html\"\n"
                                  "    },\n"
                                  "    {\n"
                                  "      \"gadget\": \"break-frames\",\n"
                                  "      \"edition\": \"classic\",\n"
                                  "      \"values\": {}\n"
                                  "    }\n"
                                  "  ]\n"
                                  "}\n";
    EXPECT_EQ(recipe::WriteRecipe(recipe::ParseRecipe(canonical)), canonical);
    // Any key order, indent and line end comes back in the one canonical form.
    const std::string loose =
        "\xEF\xBB\xBF{\"snippets\":[{\"output\":\"popup.html\",\"values\":{\"width\":\"300\","
        "\"url\":\"http://example.org/\"},\"edition\":\"today\",\"gadget\":\"popup-page\"},\r\n"
        "{\"gadget\":\"break-frames\"}],\r\n\"format\":1}";
    EXPECT_EQ(recipe::WriteRecipe(recipe::ParseRecipe(loose)), canonical);
}

// "stamp" and "csp" have their places after "output" and before kept keys; false is the default
// and is left out, so recipes without them keep their bytes.
TEST(RecipeFormat, StampAndCspAreWrittenOnlyWhenSet)
{
    const std::string canonical = "{\n"
                                  "  \"format\": 1,\n"
                                  "  \"snippets\": [\n"
                                  "    {\n"
                                  "      \"gadget\": \"break-frames\",\n"
                                  "      \"edition\": \"classic\",\n"
                                  "      \"values\": {},\n"
                                  "      \"output\": \"a.html\",\n"
                                  "      \"stamp\": true,\n"
                                  "      \"csp\": true,\n"
                                  "      \"note\": \"kept\"\n"
                                  "    },\n"
                                  "    {\n"
                                  "      \"gadget\": \"break-frames\",\n"
                                  "      \"edition\": \"classic\",\n"
                                  "      \"values\": {}\n"
                                  "    }\n"
                                  "  ]\n"
                                  "}\n";
    const Recipe r = recipe::ParseRecipe(canonical);
    ASSERT_EQ(r.snippets.size(), 2u);
    EXPECT_TRUE(r.snippets[0].stamp);
    EXPECT_FALSE(r.snippets[1].stamp);
    EXPECT_TRUE(r.snippets[0].csp);
    EXPECT_FALSE(r.snippets[1].csp);
    EXPECT_EQ(recipe::WriteRecipe(r), canonical);
    const std::string unset =
        OneEntry("{\"stamp\": false, \"csp\": false, \"gadget\": \"break-frames\"}");
    EXPECT_EQ(recipe::WriteRecipe(recipe::ParseRecipe(unset)).find("stamp"), std::string::npos);
    EXPECT_EQ(recipe::WriteRecipe(recipe::ParseRecipe(unset)).find("csp"), std::string::npos);
}

TEST(RecipeFormat, UnknownKeysAreKeptInTheirOrder)
{
    const std::string bytes = "{\"format\": 1, \"zeta\": {\"b\": [1, 2.5, null]}, \"alpha\": true,"
                              " \"snippets\": [{\"note\": \"mine\", \"gadget\": \"break-frames\","
                              " \"tags\": [\"a\"]}]}";
    const Recipe r = recipe::ParseRecipe(bytes);
    const std::string written = recipe::WriteRecipe(r);
    EXPECT_NE(written.find("  \"zeta\": {\n    \"b\": [\n      1,\n      2.5,\n      null\n"),
              std::string::npos)
        << written;
    EXPECT_LT(written.find("\"zeta\""), written.find("\"alpha\""));
    EXPECT_LT(written.find("\"values\""), written.find("\"note\""));
    EXPECT_LT(written.find("\"note\""), written.find("\"tags\""));
    EXPECT_EQ(recipe::WriteRecipe(recipe::ParseRecipe(written)), written);
}

// An object of 200,000 keys, at the top and in an entry, is read and written in
// time linear in its size; looking each key up among those before it would take hours.
TEST(RecipeFormat, ManyKeysInOneObjectCostLinearTime)
{
    std::string keys;
    for (int i = 0; i < 200000; ++i)
        keys += ",\"k" + std::to_string(i) + "\":" + std::to_string(i);
    const std::string bytes = "{\"format\": 1" + keys +
                              ", \"snippets\": [{\"gadget\": " + "\"break-frames\"" + keys + "}]}";
    const Recipe r = recipe::ParseRecipe(bytes);
    ASSERT_EQ(r.unknown.size(), 200000u);
    ASSERT_EQ(r.snippets.size(), 1u);
    ASSERT_EQ(r.snippets[0].unknown.size(), 200000u);
    EXPECT_EQ(r.unknown.back(), 199999);
    EXPECT_EQ(r.snippets[0].unknown.front(), 0);
    const std::string written = recipe::WriteRecipe(r);
    EXPECT_LT(written.find("\"k0\""), written.find("\"k199999\""));
}

struct Refusal {
    const char* name;
    std::string bytes;
    std::string message; // what() of the RecipeError
};

class RecipeShape : public testing::TestWithParam<Refusal>
{
};

TEST_P(RecipeShape, RefusesWithThePlace)
{
    try {
        recipe::ParseRecipe(GetParam().bytes);
        FAIL() << "accepted";
    } catch (const recipe::RecipeError& e) {
        EXPECT_EQ(std::string(e.what()), GetParam().message);
    }
}

// The place of every refusal is the same however the bytes arrive.
TEST_P(RecipeShape, RefusesAlikeInChunksOfAnySize)
{
    const std::string& bytes = GetParam().bytes;
    if (bytes.size() > recipe::kMaxRecipeBytes || bytes.size() > 1024 * 1024)
        GTEST_SKIP() << "refused by its size, or too long to read a byte at a time";
    for (const std::size_t size : {1, 3}) {
        try {
            SmallChunks(bytes, size).ForEachEntry([](Entry, std::size_t) {});
            ADD_FAILURE() << "accepted in chunks of " << size;
        } catch (const recipe::RecipeError& e) {
            EXPECT_EQ(std::string(e.what()), GetParam().message) << "chunks of " << size;
        }
    }
}

std::string Entries(std::size_t n)
{
    std::string bytes = "{\"format\": 1, \"snippets\": [";
    for (std::size_t i = 0; i < n; ++i)
        bytes += i ? ",{\"gadget\":\"x\"}" : "{\"gadget\":\"x\"}";
    return bytes + "]}";
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, RecipeShape,
    testing::Values(
        Refusal{"Malformed", "{\"format\": 1,\n  \"snippets\": [}\n",
                "line 2, column 16: syntax error while parsing value - unexpected '}'; expected "
                "'[', '{', or a literal"},
        Refusal{"NotUtf8", "{\"format\": 1, \"snippets\": [], \"x\": \"\xFF\"}",
                "line 1, column 37: syntax error while parsing value - invalid string: ill-formed "
                "UTF-8 byte; last read: '\"\xFF'"},
        Refusal{"NotAnObject", "[]", "the recipe must be a JSON object, not array"},
        Refusal{"NoFormat", "{\"snippets\": []}", "not a recipe: it has no \"format\""},
        Refusal{"NewerFormat", "{\"format\": 2, \"snippets\": []}",
                "format: format 2 is newer than this program reads (1)"},
        Refusal{"FormatNotANumber", "{\"format\": \"1\", \"snippets\": []}",
                "format: must be a whole number from 1"},
        Refusal{"NoSnippets", "{\"format\": 1}", "the recipe has no \"snippets\""},
        Refusal{"SnippetsNotAList", "{\"format\": 1, \"snippets\": {}}",
                "snippets: must be an array, not object"},
        Refusal{"EntryNotAnObject", OneEntry("\"popup-page\""),
                "snippets[0]: must be an object, not string"},
        Refusal{"NoGadget", OneEntry("{\"values\": {}}"), "snippets[0]: has no \"gadget\""},
        Refusal{"NumberValue",
                OneEntry("{\"gadget\": \"popup-page\", \"values\": {\"width\": 300}}"),
                "snippets[0].values.width: must be a string, not number"},
        Refusal{"StampNotABoolean", OneEntry("{\"gadget\": \"popup-page\", \"stamp\": \"yes\"}"),
                "snippets[0].stamp: must be true or false, not string"},
        Refusal{"CspNotABoolean", OneEntry("{\"gadget\": \"popup-page\", \"csp\": 1}"),
                "snippets[0].csp: must be true or false, not number"},
        Refusal{"ValuesNotAnObject", OneEntry("{\"gadget\": \"popup-page\", \"values\": []}"),
                "snippets[0].values: must be an object, not array"},
        Refusal{"UnknownEdition", OneEntry("{\"gadget\": \"popup-page\", \"edition\": \"new\"}"),
                "snippets[0].edition: must be \"classic\" or \"today\", not \"new\""},
        Refusal{"OutputNotAString", OneEntry("{\"gadget\": \"popup-page\", \"output\": null}"),
                "snippets[0].output: must be a string, not null"},
        Refusal{"TooDeep", "{\"format\": 1, \"x\": " + std::string(100, '[') + "}",
                "line 1, column 83: nested deeper than 64 levels"},
        Refusal{"TooManyEntries", Entries(100001), "snippets: more than 100,000 entries"},
        Refusal{"DuplicateKey",
                OneEntry("{\"gadget\": \"popup-page\", \"x\": {\"width\": \"1\"},\n"
                         "\"values\": {\"width\": \"1\", \"width\": \"2\"}}"),
                "line 2, column 26: the key \"width\" appears twice in one object"},
        // Keys are compared as the parser reads them, escapes decoded.
        Refusal{"DuplicateKeyWithAnEscape",
                OneEntry("{\"gadget\": \"popup-page\", \"url\": \"a\", \"u\\u0072l\": \"b\"}"),
                "line 1, column 65: the key \"u\\u0072l\" appears twice in one object"},
        Refusal{"HugeNumber", "{\"format\": 1, \"snippets\": [], \"x\": 1e400}",
                "number overflow parsing '1e400'"},
        // The parser stops at a NUL byte; what follows it must not reach the key check.
        Refusal{"NulByte", std::string("8\0form\xEBt\"snippts : [{", 20),
                "line 1, column 2: a NUL byte, which JSON text cannot hold"},
        Refusal{"TooLarge", std::string(16 * 1024 * 1024 + 1, ' '),
                "the recipe is larger than 16 MB"}),
    [](const testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

} // namespace
