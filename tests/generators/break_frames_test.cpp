#include <gtest/gtest.h>

#include <string>

#include "generators/break_frames.h"
#include "generators/gadget_table.h"

namespace
{

TEST(BreakFrames, GadgetTableRunsTheSameGeneratorEveryTime)
{
    const gen::GadgetEntry* gadget = gen::FindGadget("break-frames");
    ASSERT_NE(gadget, nullptr);
    ASSERT_NE(gadget->generate, nullptr);
    EXPECT_EQ(gadget->page, 1);
    // The link text is the today's edition's; the classic snippet never changes.
    const std::string first = gadget->generate(gen::DefaultValues(*gadget)).TextForm();
    EXPECT_EQ(gadget->generate({"another text"}).TextForm(), first);
    EXPECT_EQ(first, gen::BreakFrames().TextForm());
}

} // namespace
