#include "generators/edition.h"
#include "generators/gadget_table.h"

#include <gtest/gtest.h>

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
    ASSERT_FALSE(table.empty());
    std::set<std::string_view> ids;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const gen::GadgetEntry& g = table[i];
        EXPECT_EQ(g.page, static_cast<int>(i) + 1) << g.id;
        EXPECT_TRUE(ids.insert(g.id).second) << "id used twice: " << g.id;
        EXPECT_NE(g.classic, nullptr) << g.id;
        EXPECT_NE(g.generate, nullptr) << g.id;
        EXPECT_FALSE(g.title.empty()) << g.id;
        EXPECT_EQ(g.menuCaption.substr(0, 3), ">> ") << g.id;
        EXPECT_EQ(gen::FindGadget(g.id), &g);
        EXPECT_EQ(gen::GadgetOfPage(g.page), &g);
    }
    EXPECT_EQ(gen::GadgetOfPage(0), nullptr);
    EXPECT_EQ(gen::GadgetOfPage(static_cast<int>(table.size()) + 1), nullptr);
}

// Each option names one field of its gadget.
TEST(GadgetTable, OptionsAreUnique)
{
    for (const gen::GadgetEntry& g : gen::GadgetTable()) {
        std::set<std::string_view> options;
        for (const gen::FieldEntry& f : g.fields)
            EXPECT_TRUE(options.insert(f.option).second) << g.id << ": " << f.option;
    }
}

// What every field must be to have a control, a caption and a command-line option: only a
// combo box has a list, and its list offers what it starts with; a spin box starts with a
// number; a field that lands as code is checked, so no free text lands there.
TEST(GadgetTable, EveryFieldFitsItsKind)
{
    const std::regex option("[a-z][a-z0-9-]*");
    for (const gen::GadgetEntry& g : gen::GadgetTable()) {
        for (const gen::FieldEntry& f : g.fields) {
            EXPECT_EQ(gen::FindField(g, f.option), &f);
            EXPECT_TRUE(std::regex_match(std::string(f.option), option)) << f.option;
            EXPECT_FALSE(f.caption.empty()) << f.option;
            EXPECT_EQ(f.choices.empty(), f.kind != gen::FieldKind::Choice) << f.option;
            if (f.kind == gen::FieldKind::Choice) {
                EXPECT_NE(("\n" + std::string(f.choices) + "\n")
                              .find("\n" + std::string(f.defaultText) + "\n"),
                          std::string::npos)
                    << f.option;
            }
            if (f.kind == gen::FieldKind::Number) {
                EXPECT_TRUE(std::regex_match(std::string(f.defaultText), std::regex("[0-9]+")))
                    << f.option;
            }
        }
        EXPECT_EQ(gen::FindField(g, "no-such-option"), nullptr);
    }
}

// A default address points at an example host, never at a real site a user would publish by
// accident; the fields of one gadget stay on one site.
TEST(GadgetTable, DefaultAddressesAreExampleAddresses)
{
    const std::regex address(R"(^http://((www\.)?example\.(com|org|net))(/.*)?$)");
    for (const gen::GadgetEntry& g : gen::GadgetTable()) {
        std::set<std::string> hosts;
        for (const gen::FieldEntry& f : g.fields) {
            const std::string text(f.defaultText);
            if (text.find("://") == std::string::npos)
                continue;
            std::smatch m;
            ASSERT_TRUE(std::regex_match(text, m, address)) << f.option << ": " << text;
            hosts.insert(m[1].str());
        }
        EXPECT_LE(hosts.size(), 1u) << g.id;
    }
}

// Every field is read: a list that stops short of any one of them throws.
TEST(GadgetTable, TooFewValuesThrowInsteadOfReadingPastTheEnd)
{
    for (const gen::GadgetEntry& g : gen::GadgetTable()) {
        for (std::size_t kept = 0; kept < g.fields.size(); ++kept) {
            gen::FieldValues values = gen::DefaultValues(g);
            values.resize(kept);
            // The today's edition reads every field; the classic one may leave some alone.
            EXPECT_THROW(gen::GenerateEdition(g, values, gen::Edition::Today), std::out_of_range)
                << g.id << " " << kept;
        }
    }
}

// An adapter asking for a field its gadget lacks, or for a text field as a number, is a fault
// of the table, not of the values.
TEST(GadgetTable, FieldInputsFindFieldsByOptionAndKind)
{
    const std::vector<gen::FieldEntry> fields = {
        {"name", "x", gen::FieldKind::Text, "Name:"},
        {"size", "0", gen::FieldKind::Number, "Size:"},
    };
    const gen::FieldValues values = {"Joe", " $10"};
    const gen::FieldInputs in(fields, values);
    EXPECT_EQ(in.Text("name"), "Joe");
    EXPECT_EQ(in.Text("size"), " $10");
    EXPECT_EQ(in.Number("size"), 16);
    EXPECT_EQ(in.Field("size").name.caption, "Size:");
    EXPECT_EQ(in.Field("size").text, " $10");
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
