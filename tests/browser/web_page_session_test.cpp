#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "generators/edition.h"
#include "generators/gadget_table.h"
#include "web/page_session.h"

namespace
{

struct RequestCase {
    const char* name;
    std::string request;
    bool snippet; // whether a snippet comes back, else a refusal
};

class MalformedRequest : public testing::TestWithParam<RequestCase>
{
};

// The page hands over whatever its script built; no request may end the module.
TEST_P(MalformedRequest, IsAnsweredWithoutEndingTheModule)
{
    const web::Reply reply = web::PageSession().Generate(GetParam().request);
    const nlohmann::json json = nlohmann::json::parse(reply.json);
    EXPECT_EQ(json.contains("error"), !GetParam().snippet) << reply.json;
    EXPECT_EQ(reply.bytes.empty(), !GetParam().snippet);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, MalformedRequest,
    testing::Values(
        RequestCase{"NotJson", "{", false}, RequestCase{"NotAnObject", "[1, 2]", false},
        RequestCase{"UnknownGadget", R"({"gadget": "no-such"})", false},
        RequestCase{"GadgetNotText", R"({"gadget": 7})", false},
        RequestCase{"ValuesNotAnObject", R"({"gadget": "popup-page", "values": [1]})", true},
        RequestCase{"ValueNotText", R"({"gadget": "popup-page", "values": {"width": 5}})", true},
        RequestCase{"StampNotBoolean", R"({"gadget": "popup-page", "stamp": "yes"})", true},
        RequestCase{"UnknownEdition", R"({"gadget": "popup-page", "edition": "x"})", true},
        RequestCase{"RefusedValue", R"({"gadget": "popup-page", "values": {"width": "5px"}})",
                    false}),
    [](const testing::TestParamInfo<RequestCase>& info) { return info.param.name; });

TEST(PageSession, SnippetIsTheGeneratorsBytesForEveryGadgetAndEdition)
{
    const web::PageSession session;
    for (const gen::GadgetEntry& g : gen::GadgetTable())
        for (const gen::Edition edition : {gen::Edition::Classic, gen::Edition::Today}) {
            const std::string request =
                nlohmann::json{{"gadget", g.id}, {"edition", gen::EditionName(edition)}}.dump();
            EXPECT_EQ(session.Generate(request).bytes,
                      gen::GenerateEdition(g, gen::DefaultValues(g), edition).TextForm())
                << g.id;
        }
}

// A refused recipe changes nothing: saving afterwards gives the recipe opened before, as read.
TEST(PageSession, RefusedRecipeKeepsTheOneOpenedBefore)
{
    const std::string opened = "{\n  \"format\": 1,\n  \"snippets\": [\n    {\n      \"gadget\": "
                               "\"popup-page\",\n      \"edition\": \"today\",\n      \"values\": "
                               "{\n        \"seconds\": \"9\"\n      }\n    }\n  ]\n}\n";
    web::PageSession session;
    const nlohmann::json shown =
        nlohmann::json::parse(session.OpenRecipe("site.json", opened, "classic").json);
    EXPECT_EQ(shown["values"]["popup-page"]["seconds"], "9");
    const std::string refused = "{\"format\": 1, \"snippets\": [{\"gadget\": \"no-such\"}]}";
    const nlohmann::json refusal =
        nlohmann::json::parse(session.OpenRecipe("bad.json", refused, "classic").json);
    EXPECT_EQ(refusal["place"], "snippets[0].gadget");
    EXPECT_EQ(
        session.SaveRecipe(nlohmann::json{{"edition", "today"}, {"values", shown["values"]}}.dump())
            .bytes,
        opened);
}

} // namespace
