#include "generators/gadget_table.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

TEST(GadgetTable, OneGadgetPerPageWithUniqueIdsAndAGenerator)
{
    const auto& table = gen::GadgetTable();
    ASSERT_EQ(table.size(), 10u);
    std::set<std::string_view> ids;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const gen::GadgetSpec& g = table[i];
        EXPECT_EQ(g.page, static_cast<int>(i) + 1) << g.id;
        EXPECT_TRUE(ids.insert(g.id).second) << "id used twice: " << g.id;
        EXPECT_NE(g.generate, nullptr) << g.id;
        EXPECT_EQ(gen::FindGadget(g.id), &g);
        EXPECT_EQ(gen::GadgetOfPage(g.page), &g);
    }
}

// Each control belongs to one page, and each option names one field of its gadget.
TEST(GadgetTable, ComponentsAndOptionsAreUnique)
{
    std::set<std::string_view> components;
    for (const gen::GadgetSpec& g : gen::GadgetTable()) {
        std::set<std::string_view> options;
        for (const gen::FieldSpec& f : g.fields) {
            EXPECT_TRUE(components.insert(f.component).second) << g.id << ": " << f.component;
            EXPECT_TRUE(options.insert(f.option).second) << g.id << ": " << f.option;
        }
    }
}

// The command line's options, in the order its help lists them.
TEST(GadgetTable, OptionsNameTheirControls)
{
    const std::map<std::string_view, std::string> expected = {
        {"break-frames", ""},
        {"bookmark-us", "url=Edit1 site-name=Edit2 "},
        {"email-this-page", ""},
        {"set-homepage", "url=Edit3 "},
        {"logo-branding",
         "status-text=Edit4 link=Edit5 image=Edit6 width=SpinEdit1 height=SpinEdit2 "},
        {"frameless-popup", "url=Edit7 width=Edit8 height=Edit9 autoclose=ComboBox1 "},
        {"browser-entry", "ie-url=Edit10 other-url=Edit11 "},
        {"language", ""},
        {"metasearch", ""},
        {"popup-page", "url=Edit12 width=Edit14 height=Edit15 seconds=Edit13 "},
    };
    ASSERT_EQ(expected.size(), gen::GadgetTable().size());
    for (const auto& [id, fields] : expected) {
        const gen::GadgetSpec* g = gen::FindGadget(id);
        ASSERT_NE(g, nullptr) << id;
        std::string actual;
        for (const gen::FieldSpec& f : g->fields)
            actual += std::string(f.option) + "=" + std::string(f.component) + " ";
        EXPECT_EQ(actual, fields) << id;
    }
}

// What every control shows at start. Addresses are checked by their form: an example host,
// and the path the page fixes ("" for a home address).
TEST(GadgetTable, DefaultsAreWhatThePagesShow)
{
    const std::map<std::string_view, std::string_view> texts = {
        {"Edit2", "My cool site"}, {"Edit4", "Click here for current specials"},
        {"SpinEdit1", "235"},      {"SpinEdit2", "19"},
        {"Edit8", "500"},          {"Edit9", "600"},
        {"ComboBox1", "true"},     {"Edit14", "500"},
        {"Edit15", "500"},         {"Edit13", "5"},
    };
    const std::map<std::string_view, std::string_view> paths = {
        {"Edit1", ""},
        {"Edit3", ""},
        {"Edit5", "/specials/"},
        {"Edit6", "/logo.jpg"},
        {"Edit7", ""},
        {"Edit10", "/ie.html"},
        {"Edit11", "/netscape.html"},
        {"Edit12", "/popup.html"},
    };
    const std::regex address(R"(^http://((www\.)?example\.(com|org|net))(/.*)?$)");
    std::map<std::string_view, std::string> hosts;
    for (const gen::GadgetSpec& g : gen::GadgetTable()) {
        for (const gen::FieldSpec& f : g.fields) {
            const std::string text(f.defaultText);
            if (auto t = texts.find(f.component); t != texts.end()) {
                EXPECT_EQ(text, t->second) << f.component;
            } else if (auto p = paths.find(f.component); p != paths.end()) {
                std::smatch m;
                ASSERT_TRUE(std::regex_match(text, m, address)) << f.component << ": " << text;
                EXPECT_EQ(m[4].str(), p->second) << f.component;
                hosts[f.component] = m[1].str();
            } else {
                ADD_FAILURE() << "no expected default for " << f.component;
            }
        }
    }
    EXPECT_EQ(hosts["Edit5"], hosts["Edit6"]) << "logo link and image on one site";
    EXPECT_EQ(hosts["Edit10"], hosts["Edit11"]) << "both entry pages on one site";
}

TEST(GadgetTable, TooFewValuesThrowInsteadOfReadingPastTheEnd)
{
    for (const gen::GadgetSpec& g : gen::GadgetTable()) {
        if (g.fields.empty())
            continue;
        gen::FieldValues values = gen::DefaultValues(g);
        values.pop_back();
        EXPECT_THROW(g.generate(values), std::out_of_range) << g.id;
    }
}

} // namespace
