// Facts about the gadgets' snippets that their golden files do not show by themselves: lines
// that must repeat, the outside services' addresses, what a field leaves alone, and how the
// popup script's declarations end.
#include "generators/gadget_table.h"
#include "tests/support/golden_file.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <string_view>

namespace
{

gen::CodeBuffer RunWithDefaults(std::string_view id)
{
    const gen::GadgetEntry* gadget = gen::FindGadget(id);
    if (gadget == nullptr || gadget->generate == nullptr)
        return {};
    return gadget->generate(gen::DefaultValues(*gadget));
}

TEST(GadgetLines, SetHomepageGivesTheSameInstructionsTwice)
{
    const gen::CodeBuffer b = RunWithDefaults("set-homepage");
    ASSERT_EQ(b.Count(), 36u);
    EXPECT_EQ(b.Line(27), b.Line(32));
}

// The two outside services: only the host is ours to choose.
TEST(GadgetLines, OutsideServicesAreAbsoluteAddressesWithTheirPaths)
{
    const std::regex mail(R"(action="http://[A-Za-z0-9.-]+/mail\.pl")");
    const std::regex search(R"(^<script src="http://[A-Za-z0-9.-]+/includes/search\.js" )");
    const gen::CodeBuffer email = RunWithDefaults("email-this-page");
    const gen::CodeBuffer meta = RunWithDefaults("metasearch");
    ASSERT_EQ(email.Count(), 40u);
    ASSERT_EQ(meta.Count(), 9u);
    EXPECT_TRUE(std::regex_search(std::string(email.Line(27)), mail)) << email.Line(27);
    EXPECT_TRUE(std::regex_search(std::string(meta.Line(8)), search)) << meta.Line(8);
}

// The logo starts at a fixed place; only the script's numbers follow the spin boxes.
TEST(GadgetLines, LogoStartPositionIgnoresTheWidth)
{
    const gen::GadgetEntry* gadget = gen::FindGadget("logo-branding");
    ASSERT_NE(gadget, nullptr);
    gen::FieldValues values = gen::DefaultValues(*gadget);
    values.at(3) = "88";
    const gen::CodeBuffer b = gadget->generate(values);
    ASSERT_EQ(b.Count(), 65u);
    const std::vector<std::string> golden = GoldenLines("logo-branding");
    EXPECT_EQ(b.Line(13), WithFieldText(golden[13], "235", "88"));
    EXPECT_EQ(b.Line(60), golden[60]);
    EXPECT_NE(b.Line(60).find("left:235px;"), std::string_view::npos);
}

// The popup script's declarations end without a semicolon, unlike its statements.
TEST(GadgetLines, FramelessDeclarationsHaveNoSemicolon)
{
    const gen::CodeBuffer b = RunWithDefaults("frameless-popup");
    ASSERT_EQ(b.Count(), 70u);
    for (std::size_t number : {14, 15, 16, 17, 18, 19, 22, 25})
        EXPECT_EQ(b.Line(number - 1).find(';'), std::string_view::npos) << "line " << number;
}

} // namespace
