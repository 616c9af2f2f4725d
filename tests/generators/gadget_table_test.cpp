#include "generators/gadget_table.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>

namespace
{

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

// The command line's options, in the order its help lists them, with the control each one
// names and its kind: a text edit (t), a spin box (n) or a combo box with its list (c).
TEST(GadgetTable, OptionsNameTheirControls)
{
    const std::map<std::string_view, std::string> expected = {
        {"break-frames", ""},
        {"bookmark-us", "url=Edit1:t site-name=Edit2:t "},
        {"email-this-page", ""},
        {"set-homepage", "url=Edit3:t "},
        {"logo-branding",
         "status-text=Edit4:t link=Edit5:t image=Edit6:t width=SpinEdit1:n height=SpinEdit2:n "},
        {"frameless-popup", "url=Edit7:t width=Edit8:t height=Edit9:t autoclose=ComboBox1:c "},
        {"browser-entry", "ie-url=Edit10:t other-url=Edit11:t "},
        {"language", ""},
        {"metasearch", ""},
        {"popup-page", "url=Edit12:t width=Edit14:t height=Edit15:t seconds=Edit13:t "},
    };
    ASSERT_EQ(expected.size(), gen::GadgetTable().size());
    for (const auto& [id, fields] : expected) {
        const gen::GadgetSpec* g = gen::FindGadget(id);
        ASSERT_NE(g, nullptr) << id;
        std::string actual;
        for (const gen::FieldSpec& f : g->fields) {
            const char kind = f.kind == gen::FieldKind::Number   ? 'n'
                              : f.kind == gen::FieldKind::Choice ? 'c'
                                                                 : 't';
            actual += std::string(f.option) + "=" + std::string(f.component) + ":" + kind + " ";
            EXPECT_EQ(gen::FindField(*g, f.option), &f);
            // Only a combo box has a list, and its list offers what it starts with.
            EXPECT_EQ(f.choices.empty(), f.kind != gen::FieldKind::Choice) << f.component;
            if (f.kind == gen::FieldKind::Choice) {
                EXPECT_NE(("\n" + std::string(f.choices) + "\n")
                              .find("\n" + std::string(f.defaultText) + "\n"),
                          std::string::npos)
                    << f.component;
            }
            EXPECT_FALSE(f.caption.empty()) << f.component;
        }
        EXPECT_EQ(actual, fields) << id;
        EXPECT_EQ(gen::FindField(*g, "no-such-option"), nullptr);
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

// Every field is read: a list that stops short of any one of them throws.
TEST(GadgetTable, TooFewValuesThrowInsteadOfReadingPastTheEnd)
{
    for (const gen::GadgetSpec& g : gen::GadgetTable()) {
        for (std::size_t kept = 0; kept < g.fields.size(); ++kept) {
            gen::FieldValues values = gen::DefaultValues(g);
            values.resize(kept);
            EXPECT_THROW(g.generate(values), std::out_of_range) << g.id << " " << kept;
        }
    }
}

// An adapter asking for a field its gadget lacks, or for a text field as a number, is a fault
// of the table, not of the values.
TEST(GadgetTable, FieldInputsFindFieldsByOptionAndKind)
{
    const std::vector<gen::FieldSpec> fields = {
        {"name", "Edit1", "x", gen::FieldKind::Text, "Name:"},
        {"size", "SpinEdit1", "0", gen::FieldKind::Number, "Size:"},
    };
    const gen::FieldValues values = {"Joe", " $10"};
    const gen::FieldInputs in(fields, values);
    EXPECT_EQ(in.Text("name"), "Joe");
    EXPECT_EQ(in.Text("size"), " $10");
    EXPECT_EQ(in.Number("size"), 16);
    EXPECT_THROW(in.Number("name"), std::logic_error);
    EXPECT_THROW(in.Text("colour"), std::logic_error);
    const gen::FieldValues one = {"Joe"};
    EXPECT_THROW(gen::FieldInputs(fields, one).Number("size"), std::out_of_range);
}

} // namespace

// Messages about a field name it as its page does; a misspelt lookup is a programming error.
TEST(GadgetTable, FieldNamesComeFromTheTable)
{
    const gen::FieldName name = gen::FieldNameOf("popup-page", "seconds");
    EXPECT_EQ(name.caption, "Seconds to wait:");
    EXPECT_EQ(name.option, "seconds");
    EXPECT_THROW(gen::FieldNameOf("popup-page", "secs"), std::logic_error);
    EXPECT_THROW(gen::FieldNameOf("no-such-gadget", "seconds"), std::logic_error);
}
