#include "generators/field_check.h"

#include <gtest/gtest.h>

#include <string>

#include "generators/edition.h"
#include "generators/gadget_table.h"

namespace
{

// The fields that land in the script as code, and the browser-specific addresses, through the
// gadget table as the page and the command line run them.
struct FieldCase {
    const char* name;
    std::string_view gadget;
    std::string_view option;
    std::string value;
    const char* splicedLine; // the line the accepted value gives, or nullptr when refused
    std::string_view caption = {};
};

void PrintTo(const FieldCase& c, std::ostream* os)
{
    *os << c.name;
}

class FieldCheckTest : public testing::TestWithParam<FieldCase>
{
};

gen::FieldValues ValuesWith(const gen::GadgetEntry& g, std::string_view option, std::string value)
{
    gen::FieldValues values = gen::DefaultValues(g);
    for (std::size_t i = 0; i < g.fields.size(); ++i)
        if (g.fields[i].option == option)
            values[i] = std::move(value);
    return values;
}

TEST_P(FieldCheckTest, AcceptsOrRefusesNamingTheField)
{
    const FieldCase& c = GetParam();
    const gen::GadgetEntry* g = gen::FindGadget(c.gadget);
    ASSERT_NE(g, nullptr);
    const gen::FieldValues values = ValuesWith(*g, c.option, c.value);
    if (c.splicedLine) {
        const std::string text = g->generate(values).TextForm();
        EXPECT_NE(text.find(std::string("\r\n") + c.splicedLine + "\r\n"), std::string::npos);
        return;
    }
    try {
        g->generate(values);
        ADD_FAILURE() << "accepted";
    } catch (const gen::FieldError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("\"" + std::string(c.caption) + "\""), std::string::npos) << message;
        EXPECT_NE(message.find("(--" + std::string(c.option) + ")"), std::string::npos) << message;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, FieldCheckTest,
    testing::Values(
        FieldCase{"FramelessWidthBlanks", "frameless-popup", "width", " \t640 ",
                  "var windowW=640 // wide"},
        // A leading zero would make the script read an octal number.
        FieldCase{"FramelessHeightLeadingZeros", "frameless-popup", "height", "0600",
                  "var windowH=600 // high"},
        FieldCase{"FramelessHeightZero", "frameless-popup", "height", "000",
                  "var windowH=0 // high"},
        FieldCase{"FramelessWidthUnit", "frameless-popup", "width", "500px", nullptr, "Width:"},
        FieldCase{"FramelessWidthEmpty", "frameless-popup", "width", "", nullptr, "Width:"},
        FieldCase{"FramelessHeightCode", "frameless-popup", "height", "R&D", nullptr, "Height:"},
        FieldCase{"FramelessHeightSign", "frameless-popup", "height", "-5", nullptr, "Height:"},
        FieldCase{"FramelessWidthDecimal", "frameless-popup", "width", "5.5", nullptr, "Width:"},
        FieldCase{"FramelessWidthInnerBlank", "frameless-popup", "width", "5 5", nullptr, "Width:"},
        FieldCase{"AutoCloseFalse", "frameless-popup", "autoclose", " false ",
                  "var autoclose = false"},
        FieldCase{"AutoCloseCapital", "frameless-popup", "autoclose", "True", nullptr,
                  "AutoClose:"},
        FieldCase{"AutoCloseNumber", "frameless-popup", "autoclose", "1", nullptr, "AutoClose:"},
        FieldCase{"AutoCloseEmpty", "frameless-popup", "autoclose", "", nullptr, "AutoClose:"},
        FieldCase{"PopupSecondsEmptyIsNoWait", "popup-page", "seconds", "",
                  "<BODY onLoad=\"setTimeout('popupPage()', 000);\">"},
        FieldCase{"PopupSecondsBlankIsNoWait", "popup-page", "seconds", "  ",
                  "<BODY onLoad=\"setTimeout('popupPage()', 000);\">"},
        FieldCase{"PopupSecondsLeadingZero", "popup-page", "seconds", " 07",
                  "<BODY onLoad=\"setTimeout('popupPage()', 7000);\">"},
        FieldCase{"PopupSecondsText", "popup-page", "seconds", "5s", nullptr, "Seconds to wait:"},
        // The longest timer browsers keep is 2^31-1 ms; a longer one would fire at once.
        FieldCase{"PopupSecondsLongestTimer", "popup-page", "seconds", "2147483",
                  "<BODY onLoad=\"setTimeout('popupPage()', 2147483000);\">"},
        FieldCase{"PopupSecondsLongestTimerLeadingZeros", "popup-page", "seconds", "0002147483",
                  "<BODY onLoad=\"setTimeout('popupPage()', 2147483000);\">"},
        FieldCase{"PopupSecondsPastLongestTimer", "popup-page", "seconds", "2147484", nullptr,
                  "Seconds to wait:"},
        FieldCase{"PopupSecondsSameLengthLarger", "popup-page", "seconds", "9000000", nullptr,
                  "Seconds to wait:"},
        FieldCase{"PopupSecondsPastEveryInteger", "popup-page", "seconds", "99999999999999999999",
                  nullptr, "Seconds to wait:"},
        FieldCase{"PopupSecondsScript", "popup-page", "seconds", "');alert(1);('", nullptr,
                  "Seconds to wait:"},
        FieldCase{"PopupWidthBlanks", "popup-page", "width", " 640",
                  "windowprops = \"height=500,width=640,location=no,\""},
        FieldCase{"PopupWidthQuote", "popup-page", "width", "5\"", nullptr, "Width:"},
        FieldCase{"PopupHeightEmpty", "popup-page", "height", "", nullptr, "Height:"},
        FieldCase{"BrowserIeEmpty", "browser-entry", "ie-url", "", nullptr,
                  "Internet Explorer goes to -"},
        FieldCase{"BrowserOtherBlank", "browser-entry", "other-url", " \t ", nullptr,
                  "Netscape goes to -"},
        FieldCase{"BrowserOtherRelative", "browser-entry", "other-url", " next.html",
                  "url=(\" next.html\")"}),
    [](const testing::TestParamInfo<FieldCase>& info) { return std::string(info.param.name); });

struct CaptionCase {
    const char* name;
    std::string typed;
    std::string message;
};

class CaptionMessage : public testing::TestWithParam<CaptionCase>
{
};

// The window's message says what was typed, kept to one readable line of bounded length, and
// never names the command line's option.
TEST_P(CaptionMessage, ShowsWhatWasTyped)
{
    const CaptionCase& c = GetParam();
    try {
        gen::WholeNumberField({c.typed, {"Width:", "width"}});
        FAIL() << "accepted";
    } catch (const gen::FieldError& e) {
        EXPECT_EQ(e.CaptionMessage(), c.message);
        EXPECT_NE(std::string(e.what()).find("(--width)"), std::string::npos);
    }
}

const std::string kTakes = ", but it takes a whole number written in digits only.";

INSTANTIATE_TEST_SUITE_P(
    Typed, CaptionMessage,
    testing::Values(
        CaptionCase{"Unit", "500px", "The field \"Width:\" holds \"500px\"" + kTakes},
        CaptionCase{"Empty", "", "The field \"Width:\" is empty" + kTakes},
        CaptionCase{"LineBreaks", "5\r\n0\t", "The field \"Width:\" holds \"5  0 \"" + kTakes},
        CaptionCase{"Long", std::string(200000, 'x'),
                    "The field \"Width:\" holds \"" + std::string(60, 'x') + "\u2026\"" + kTakes},
        CaptionCase{"LongCutBetweenCharacters", std::string(59, 'x') + "\u00e9\u00e9",
                    "The field \"Width:\" holds \"" + std::string(59, 'x') + "\u00e9\u2026\"" +
                        kTakes}),
    [](const testing::TestParamInfo<CaptionCase>& info) { return std::string(info.param.name); });

TEST(FieldCheck, MessageSaysWhatTheFieldTakes)
{
    try {
        gen::WholeNumberField({"x", {"Width:", "width"}});
        FAIL() << "accepted";
    } catch (const gen::FieldError& e) {
        EXPECT_STREQ(e.what(),
                     "The field \"Width:\" (--width) takes a whole number written in digits only.");
    }
}

// Both editions run the same check, so a timer too long for browsers never reaches either.
TEST(FieldCheck, TodaysPopupRefusesTheSameSeconds)
{
    const gen::GadgetEntry* g = gen::FindGadget("popup-page");
    ASSERT_NE(g, nullptr);
    for (const char* seconds : {"2147484", "4294967296"})
        EXPECT_THROW(
            gen::GenerateEdition(*g, ValuesWith(*g, "seconds", seconds), gen::Edition::Today),
            gen::FieldError)
            << seconds;
    const std::string text =
        gen::GenerateEdition(*g, ValuesWith(*g, "seconds", "2147483"), gen::Edition::Today)
            .TextForm();
    EXPECT_NE(text.find("var seconds = 2147483;"), std::string::npos);
}

// A today's edition never makes a link, an input, a dialog or a button that screen readers
// cannot name: a blank text for its name is refused there, naming the field. The classic
// edition takes the same text as it always did.
TEST(FieldCheck, TodaysEditionRefusesABlankNameForAControl)
{
    const std::pair<const char*, const char*> names[] = {{"break-frames", "link-text"},
                                                         {"email-this-page", "their-name-label"},
                                                         {"email-this-page", "their-email-label"},
                                                         {"email-this-page", "your-name-label"},
                                                         {"email-this-page", "your-email-label"},
                                                         {"email-this-page", "button-caption"},
                                                         {"frameless-popup", "link-text"},
                                                         {"popup-page", "title"},
                                                         {"popup-page", "close-caption"}};
    for (const auto& [id, option] : names) {
        const gen::GadgetEntry* g = gen::FindGadget(id);
        ASSERT_NE(g, nullptr) << id;
        for (const char* blank : {"", " \t"}) {
            const gen::FieldValues values = ValuesWith(*g, option, blank);
            try {
                gen::GenerateEdition(*g, values, gen::Edition::Today);
                ADD_FAILURE() << id << " --" << option << " accepted a blank name";
            } catch (const gen::FieldError& e) {
                EXPECT_EQ(e.Option(), option);
            }
            EXPECT_NO_THROW(gen::GenerateEdition(*g, values, gen::Edition::Classic)) << id;
        }
    }
}

} // namespace
