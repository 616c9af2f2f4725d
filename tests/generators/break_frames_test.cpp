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
    EXPECT_TRUE(gadget->fields.empty());
    const std::string first = gadget->generate({}).TextForm();
    EXPECT_EQ(gadget->generate({}).TextForm(), first);
    EXPECT_EQ(first, gen::BreakFrames().TextForm());
}

} // namespace
