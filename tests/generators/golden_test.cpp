// Every gadget's snippet from the values its page starts with, byte for byte as recorded in
// golden/<gadget id>.txt. A difference here is a change of the generated code users get.
#include "generators/gadget_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace
{

std::string Golden(std::string_view id)
{
    std::ifstream in(std::string(SITEWRIGHT_GOLDEN_DIR) + "/" + std::string(id) + ".txt",
                     std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(GoldenSnippets, EveryDefaultSnippetIsUnchanged)
{
    for (const gen::GadgetSpec& g : gen::GadgetTable()) {
        ASSERT_NE(g.generate, nullptr) << g.id;
        const std::string golden = Golden(g.id);
        ASSERT_FALSE(golden.empty()) << "no golden file for " << g.id;
        EXPECT_EQ(g.generate(gen::DefaultValues(g)).TextForm(), golden) << g.id;
    }
}

} // namespace
