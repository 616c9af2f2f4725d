// The two editions of every gadget: classic is the snippet its golden file records, the today's
// edition takes the same fields by the same rules and leaves out what browsers no longer have.
#include "generators/edition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "generators/compatibility.h"
#include "generators/field_check.h"

namespace
{

using gen::Edition;

bool IsCodeField(const gen::FieldEntry& field)
{
    return field.lands == gen::Lands::AsCode;
}

// A value the field takes that differs from its default: another of a list's choices, a number
// for a field that lands as code, a marker for any other.
std::string OtherValue(const gen::FieldEntry& field, std::size_t index)
{
    if (field.kind == gen::FieldKind::Choice)
        for (std::size_t at = 0, end = 0; at <= field.choices.size(); at = end + 1) {
            end = std::min(field.choices.find('\n', at), field.choices.size());
            const std::string_view choice = field.choices.substr(at, end - at);
            if (choice != field.defaultText)
                return std::string(choice);
        }
    const bool number = IsCodeField(field) || field.kind == gen::FieldKind::Number;
    return number ? "4321" : "zq-marker-" + std::to_string(index);
}

std::string Today(const gen::GadgetEntry& g, const gen::FieldValues& values)
{
    return gen::GenerateEdition(g, values, Edition::Today).TextForm();
}

std::size_t Count(std::string_view text, std::string_view part)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string_view::npos;
         at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST(Editions, NamesRoundTrip)
{
    for (Edition e : {Edition::Classic, Edition::Today})
        EXPECT_EQ(gen::ParseEdition(gen::EditionName(e)), e);
    EXPECT_EQ(gen::ParseEdition("Today"), std::nullopt);
    EXPECT_EQ(gen::ParseEdition(""), std::nullopt);
}

// Classic is the gadget's own generator; a gadget has a today's edition of its own unless its
// classic snippet still does all it promises (and, as the browser test proves, runs under a
// strict policy).
TEST(Editions, ClassicIsTheDesignAndEveryGadgetHasItsOwnToday)
{
    for (const gen::GadgetEntry& g : gen::GadgetTable()) {
        const gen::FieldValues values = gen::DefaultValues(g);
        const std::string classic = g.generate(values).TextForm();
        EXPECT_EQ(gen::GenerateEdition(g, values, Edition::Classic).TextForm(), classic) << g.id;
        // A gadget without a today's edition of its own gives its classic snippet, which must
        // then still do all it promises.
        if (gen::HasOwnTodaysEdition(g))
            EXPECT_NE(Today(g, values), classic) << g.id;
        else
            EXPECT_EQ(g.compatibility.classic, gen::Support::Works) << g.id;
    }
}

// A field the today's edition forgot would silently drop what the user typed.
TEST(Editions, TodaysEditionUsesEveryField)
{
    for (const gen::GadgetEntry& g : gen::GadgetTable()) {
        const std::string defaults = Today(g, gen::DefaultValues(g));
        for (std::size_t i = 0; i < g.fields.size(); ++i) {
            gen::FieldValues values = gen::DefaultValues(g);
            const std::string_view option = g.fields[i].option;
            const std::string marker = OtherValue(g.fields[i], i);
            values[i] = marker;
            const std::string today = Today(g, values);
            EXPECT_NE(today, defaults) << g.id << " --" << option;
            // A choice that lands as text may pick a template rather than stand in it.
            if (g.fields[i].kind != gen::FieldKind::Choice || IsCodeField(g.fields[i])) {
                EXPECT_NE(today.find(marker), std::string::npos) << g.id << " --" << option;
            }
        }
    }
}

struct Refusal {
    const char* gadget;
    const char* option;
    const char* value;
};

// The today's editions take the same values as the classic ones and refuse the same.
TEST(Editions, TodaysEditionRefusesWhatClassicRefuses)
{
    const Refusal refusals[] = {
        {"frameless-popup", "width", "500px"},   {"frameless-popup", "height", ""},
        {"frameless-popup", "autoclose", "yes"}, {"popup-page", "width", "1.5"},
        {"popup-page", "height", "-5"},          {"popup-page", "seconds", "R&D"},
        {"browser-entry", "ie-url", ""},         {"browser-entry", "other-url", " \t "},
    };
    for (const Refusal& r : refusals) {
        const gen::GadgetEntry& g = *gen::FindGadget(r.gadget);
        gen::FieldValues values = gen::DefaultValues(g);
        for (std::size_t i = 0; i < g.fields.size(); ++i)
            if (g.fields[i].option == r.option)
                values[i] = r.value;
        std::string classicMessage;
        try {
            g.generate(values);
        } catch (const gen::FieldError& e) {
            classicMessage = e.what();
        }
        EXPECT_FALSE(classicMessage.empty()) << r.gadget << " --" << r.option;
        try {
            Today(g, values);
            ADD_FAILURE() << r.gadget << " --" << r.option << " was taken";
        } catch (const gen::FieldError& e) {
            EXPECT_EQ(e.what(), classicMessage);
        }
    }
}

// Markup and line breaks typed into any text field arrive escaped: no element and no line of
// their own. (That the page holds the typed text is checked in the browser.)
TEST(Editions, TodaysEditionEscapesEveryTextField)
{
    const std::string hostile = "</script><b x=\"1\">'\\\n";
    for (const gen::GadgetEntry& g : gen::GadgetTable()) {
        if (!gen::HasOwnTodaysEdition(g))
            continue;
        const std::string defaults = Today(g, gen::DefaultValues(g));
        for (std::size_t i = 0; i < g.fields.size(); ++i) {
            if (IsCodeField(g.fields[i]))
                continue;
            gen::FieldValues values = gen::DefaultValues(g);
            values[i] = hostile;
            const std::string today = Today(g, values);
            EXPECT_EQ(Count(today, "<b x=\"1\""), 0u) << g.id << " --" << g.fields[i].option;
            EXPECT_EQ(Count(today, "\n"), Count(defaults, "\n")) << g.id;
        }
    }
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// What made the classic snippets fail must not come back in the editions that replace them.
TEST(Editions, TodaysEditionsUseNoRetiredInterface)
{
    const char* retired[] = {"document.write", "document.all", "window.status", "navigator.appname",
                             "addfavorite",    "sethomepage",  "onunload",      "language=",
                             "fullscreen",     "eval(",        "settimeout(\"", "settimeout('",
                             "<center",        "<font",        "pixelleft"};
    for (const gen::GadgetEntry& g : gen::GadgetTable()) {
        if (!gen::HasOwnTodaysEdition(g))
            continue;
        const std::string today = Lower(Today(g, gen::DefaultValues(g)));
        for (const char* r : retired)
            EXPECT_EQ(today.find(r), std::string::npos) << g.id << ": " << r;
    }
}

// Every today's edition of a gadget's own is recorded in golden/<id>.today.txt, byte for byte
// from the defaults; a missing file is a failure, not a gadget left unchecked.
TEST(Editions, TodaysEditionsMatchTheirGoldenFiles)
{
    for (const gen::GadgetEntry& g : gen::GadgetTable()) {
        const std::filesystem::path file =
            std::filesystem::path(SITEWRIGHT_GOLDEN_DIR) / (std::string(g.id) + ".today.txt");
        if (!gen::HasOwnTodaysEdition(g)) {
            EXPECT_FALSE(std::filesystem::exists(file)) << g.id << " has no edition of its own";
            continue;
        }
        std::ifstream in(file, std::ios::binary);
        ASSERT_TRUE(in) << "no golden file " << file;
        const std::string golden{std::istreambuf_iterator<char>(in), {}};
        EXPECT_EQ(Today(g, gen::DefaultValues(g)), golden) << g.id;
    }
}

// A field that lands as code takes nothing but its kind of value: script in it is refused by
// both editions, naming the field by its caption; a spin box's field makes any text a number.
TEST(Editions, EveryCodeFieldRefusesScriptInBothEditions)
{
    for (const gen::GadgetEntry& g : gen::GadgetTable()) {
        for (std::size_t i = 0; i < g.fields.size(); ++i) {
            if (!IsCodeField(g.fields[i]))
                continue;
            gen::FieldValues values = gen::DefaultValues(g);
            values[i] = "1;alert(1)";
            for (Edition e : {Edition::Classic, Edition::Today}) {
                if (g.fields[i].kind == gen::FieldKind::Number) {
                    EXPECT_EQ(gen::GenerateEdition(g, values, e).TextForm().find("alert"),
                              std::string::npos)
                        << g.id;
                    continue;
                }
                try {
                    gen::GenerateEdition(g, values, e);
                    ADD_FAILURE() << g.id << " --" << g.fields[i].option << " took script";
                } catch (const gen::FieldError& error) {
                    EXPECT_NE(std::string(error.what()).find(g.fields[i].caption),
                              std::string::npos)
                        << error.what();
                }
            }
        }
    }
}

TEST(Compatibility, EveryGadgetHasARecord)
{
    for (const gen::GadgetEntry& g : gen::GadgetTable()) {
        const gen::Compatibility& c = g.compatibility;
        EXPECT_EQ(c.sentence.back(), '.') << g.id;
        EXPECT_EQ(c.todaySentence.back(), '.') << g.id;
    }
    EXPECT_EQ(gen::SupportWord(gen::Support::DoesNotWork), "does not work");
}

} // namespace
