#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "generators/break_frames.h"
#include "generators/gadget_table.h"

namespace
{

const std::vector<std::string> kBreakFrames = {
    "<!-- ONE STEP TO INSTALL BREAK FRAMES:",
    "",
    "   1.  Paste the coding into the BODY of your HTML document  -->",
    "",
    "<!-- STEP ONE: Copy this code into the BODY of your HTML document  -->",
    "",
    "<BODY>",
    "",
    "<CENTER>",
    "<SCRIPT LANGUAGE=\"JavaScript\">",
    "<!-- Begin",
    "if (window != top) top.location.href = location.href;",
    "// End -->",
    "</SCRIPT>",
    "</CENTER>",
};

TEST(BreakFrames, WritesItsFifteenLines)
{
    EXPECT_EQ(gen::BreakFrames().Lines(), kBreakFrames);
}

TEST(BreakFrames, GadgetTableRunsTheSameGeneratorEveryTime)
{
    const gen::GadgetSpec* gadget = gen::FindGadget("break-frames");
    ASSERT_NE(gadget, nullptr);
    ASSERT_NE(gadget->generate, nullptr);
    EXPECT_EQ(gadget->page, 1);
    EXPECT_TRUE(gadget->fields.empty());
    const std::string first = gadget->generate({}).TextForm();
    EXPECT_EQ(gadget->generate({}).TextForm(), first);
    EXPECT_EQ(first, gen::BreakFrames().TextForm());
}

} // namespace
