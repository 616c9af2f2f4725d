// Every gadget of the table against its golden file: the snippet for the values its page starts
// with, as the code window saves it, byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "generators/gadget_table.h"
#include "tests/support/file_bytes.h"

namespace
{

std::string GoldenPath(std::string_view id)
{
    return std::string(SITEWRIGHT_GOLDEN_DIR) + "/" + std::string(id) + ".txt";
}

std::vector<const gen::GadgetEntry*> AllGadgets()
{
    std::vector<const gen::GadgetEntry*> gadgets;
    for (const gen::GadgetEntry& gadget : gen::GadgetTable())
        gadgets.push_back(&gadget);
    return gadgets;
}

class GadgetGolden : public testing::TestWithParam<const gen::GadgetEntry*>
{
protected:
    gen::CodeBuffer RunWithDefaults() const
    {
        const gen::GadgetEntry& gadget = *GetParam();
        return gadget.generate ? gadget.generate(gen::DefaultValues(gadget)) : gen::CodeBuffer();
    }
};

TEST_P(GadgetGolden, DefaultsGiveTheGoldenTextByteForByte)
{
    const std::string golden = GoldenPath(GetParam()->id);
    ASSERT_TRUE(std::filesystem::is_regular_file(golden)) << "no golden file " << golden;
    ASSERT_NE(GetParam()->generate, nullptr);
    EXPECT_EQ(RunWithDefaults().TextForm(), ReadBytes(golden));
}

// A "\n" meant for the script that became a real line feed would split a line in the window
// and in the saved file.
TEST_P(GadgetGolden, NoLineHoldsALineBreakOrControlCharacter)
{
    const gen::CodeBuffer b = RunWithDefaults();
    for (std::size_t i = 0; i < b.Count(); ++i)
        for (char c : b.Line(i))
            EXPECT_GE(static_cast<unsigned char>(c), 0x20) << "line " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(Table, GadgetGolden, testing::ValuesIn(AllGadgets()),
                         [](const testing::TestParamInfo<const gen::GadgetEntry*>& info) {
                             std::string name(info.param->id);
                             std::erase(name, '-');
                             return name;
                         });

} // namespace
