#include <gtest/gtest.h>

#include <string>

#include "generators/edition.h"
#include "generators/gadget_table.h"
#include "recipe/recipe.h"
#include "recipe/recipe_check.h"

namespace
{

struct CheckCase {
    const char* name;
    std::string entries; // the JSON of the snippets array's items
    std::string message; // what() of the RecipeError
};

class RecipeCheck : public testing::TestWithParam<CheckCase>
{
};

TEST_P(RecipeCheck, RefusesNamingTheEntryAndKey)
{
    const recipe::Recipe r =
        recipe::ParseRecipe("{\"format\": 1, \"snippets\": [" + GetParam().entries + "]}");
    try {
        recipe::CheckRecipe(r);
        FAIL() << "accepted";
    } catch (const recipe::RecipeError& e) {
        EXPECT_EQ(std::string(e.what()), GetParam().message);
    }
}

const std::string kFine = "{\"gadget\": \"break-frames\"}, {\"gadget\": \"bookmark-us\"}, "
                          "{\"gadget\": \"set-homepage\"}, ";

INSTANTIATE_TEST_SUITE_P(
    Refusals, RecipeCheck,
    testing::Values(
        CheckCase{"UnknownOption",
                  kFine + "{\"gadget\": \"popup-page\", \"values\": {\"widht\": \"1\"}}",
                  "snippets[3].values.widht: no such option for popup-page (did you mean width?)"},
        CheckCase{"UnknownGadget", "{\"gadget\": \"popup-pgae\"}",
                  "snippets[0].gadget: no such gadget \"popup-pgae\" (did you mean popup-page?)"},
        CheckCase{"FarFromAnyGadget", "{\"gadget\": \"carousel\"}",
                  "snippets[0].gadget: no such gadget \"carousel\""},
        CheckCase{"RefusedValue",
                  "{\"gadget\": \"popup-page\", \"edition\": \"today\", \"values\": {\"width\": "
                  "\"wide\"}}",
                  "snippets[0].values.width: The field \"Width:\" (--width) takes a whole number "
                  "written in digits only."},
        CheckCase{"AbsoluteOutput", "{\"gadget\": \"break-frames\", \"output\": \"/etc/passwd\"}",
                  "snippets[0].output: must be a path relative to the recipe's folder, not "
                  "\"/etc/passwd\""},
        CheckCase{"ParentOutput", "{\"gadget\": \"break-frames\", \"output\": \"a/../../b.html\"}",
                  "snippets[0].output: must stay in the recipe's folder, without \"..\""},
        CheckCase{"FolderOutput", "{\"gadget\": \"break-frames\", \"output\": \"./\"}",
                  "snippets[0].output: names a folder, not a file"},
        CheckCase{"EmptyOutput", "{\"gadget\": \"break-frames\", \"output\": \"\"}",
                  "snippets[0].output: is empty"},
        CheckCase{"NulInOutput", "{\"gadget\": \"break-frames\", \"output\": \"a\\u0000b\"}",
                  "snippets[0].output: holds a NUL character"},
        CheckCase{"SameOutputTwice",
                  "{\"gadget\": \"break-frames\", \"output\": \"a/x.html\"}, "
                  "{\"gadget\": \"bookmark-us\", \"output\": \"./a//x.html\"}",
                  "snippets[1].output: writes the same file as snippets[0].output"}),
    [](const testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

// Every gadget in both editions, with its defaults, is a recipe entry the check takes, and its
// values come back in the order of the gadget's fields.
TEST(RecipeCheck, EveryGadgetWithItsDefaultsPasses)
{
    recipe::Recipe r;
    for (const gen::GadgetEntry& gadget : gen::GadgetTable())
        for (const gen::Edition edition : {gen::Edition::Classic, gen::Edition::Today}) {
            recipe::Entry entry;
            entry.gadget = std::string(gadget.id);
            entry.edition = edition;
            r.snippets.push_back(entry);
            EXPECT_EQ(recipe::EntryValues(entry, gadget), gen::DefaultValues(gadget));
        }
    EXPECT_NO_THROW(recipe::CheckRecipe(r));
}

TEST(RecipeCheck, GivenValuesTakeTheirFieldsPlaces)
{
    const gen::GadgetEntry& gadget = *gen::FindGadget("popup-page");
    recipe::Entry entry;
    entry.gadget = "popup-page";
    entry.SetValue("seconds", "9");
    entry.SetValue("url", "u");
    gen::FieldValues expected = gen::DefaultValues(gadget);
    for (std::size_t i = 0; i < gadget.fields.size(); ++i) {
        if (gadget.fields[i].option == "seconds")
            expected[i] = "9";
        if (gadget.fields[i].option == "url")
            expected[i] = "u";
    }
    EXPECT_EQ(recipe::EntryValues(entry, gadget), expected);
}

} // namespace
