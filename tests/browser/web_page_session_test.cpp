#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "generators/edition.h"
#include "generators/gadget_table.h"
#include "web/page_session.h"
#include "web/snippet_request.h"
#include "web/table_json.h"

namespace
{

// The page hands over whatever its script built; no request may end the module, and every
// reply parses as JSON whatever the refused value held.
struct RequestCase {
    const char* name;
    web::SnippetRequest request;
    bool snippet; // whether a snippet comes back, else a refusal
};

class SnippetRequests : public testing::TestWithParam<RequestCase>
{
};

TEST_P(SnippetRequests, AreAnsweredWithoutEndingTheModule)
{
    const web::Reply reply = web::GenerateSnippet(GetParam().request);
    const nlohmann::json json = nlohmann::json::parse(reply.json);
    EXPECT_EQ(json.contains("error"), !GetParam().snippet) << reply.json;
    EXPECT_EQ(reply.bytes.empty(), !GetParam().snippet);
}

// Bytes that are no UTF-8, quotes, backslashes and control characters, in a refused number.
const std::string kHostileNumber = "5\"\\\x01\n\xff\xc3(\xed\xa0\x80\xf4\x90\x80\x80";

INSTANTIATE_TEST_SUITE_P(
    Requests, SnippetRequests,
    testing::Values(
        RequestCase{"UnknownGadget", {"no-such", "classic", false, {}}, false},
        RequestCase{"NoValues", {"popup-page", "today", true, {}}, true},
        RequestCase{"MoreValuesThanFields",
                    {"popup-page", "classic", false, std::vector<std::string_view>(40, "5")},
                    true},
        RequestCase{"UnknownEdition", {"popup-page", "x", false, {}}, true},
        RequestCase{"RefusedNumber",
                    {"popup-page", "classic", false, std::vector<std::string_view>(40, "5px")},
                    false},
        RequestCase{"HostileRefusedNumber",
                    {"frameless-popup", "classic", false,
                     std::vector<std::string_view>(40, kHostileNumber)},
                    false}),
    [](const testing::TestParamInfo<RequestCase>& info) { return info.param.name; });

TEST(SnippetRequest, IsTheGeneratorsBytesForEveryGadgetAndEdition)
{
    for (const gen::GadgetEntry& g : gen::GadgetTable())
        for (const gen::Edition edition : {gen::Edition::Classic, gen::Edition::Today}) {
            const gen::FieldValues values = gen::DefaultValues(g);
            web::SnippetRequest request{g.id, gen::EditionName(edition), false, {}};
            request.values.assign(values.begin(), values.end());
            EXPECT_EQ(web::GenerateSnippet(request).bytes,
                      gen::GenerateEdition(g, values, edition).TextForm())
                << g.id;
        }
}

// The table the page builds its forms from is JSON that reads back as the table.
TEST(TableJson, ReadsBackAsTheTable)
{
    const nlohmann::json table = nlohmann::json::parse(web::TableJson());
    ASSERT_EQ(table["gadgets"].size(), gen::GadgetTable().size());
    for (std::size_t i = 0; i < gen::GadgetTable().size(); ++i) {
        const gen::GadgetEntry& g = gen::GadgetTable()[i];
        const nlohmann::json& row = table["gadgets"][i];
        EXPECT_EQ(row["id"], g.id);
        EXPECT_EQ(row["title"], g.title);
        ASSERT_EQ(row["fields"].size(), g.fields.size()) << g.id;
        for (std::size_t f = 0; f < g.fields.size(); ++f) {
            EXPECT_EQ(row["fields"][f]["option"], g.fields[f].option);
            EXPECT_EQ(row["fields"][f]["default"], g.fields[f].defaultText);
        }
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
