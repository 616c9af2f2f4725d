#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>

#include "branding/appended_data.h"
#include "branding/branding_source.h"
#include "branding/section_format.h"
#include "platform/exe_image.h"
#include "platform/executable_path.h"
#include "tests/support/temp_dir.h"

namespace
{

using namespace std::string_literals;

// Points the program at a file of the test's own and restores everything afterwards.
class ExeImageTest : public testing::Test
{
protected:
    void UseExecutable(const std::string& bytes) { executable_.emplace(dir_.Write("tool", bytes)); }
    TempDir dir_;
    std::optional<platform::ScopedExecutablePath> executable_;
    platform::ScopedExeImage image_;
};

TEST_F(ExeImageTest, LoadReadsEveryByte)
{
    std::string bytes = "head\0"s;
    for (int i = 0; i < 70000; ++i)
        bytes.push_back(static_cast<char>(i * 7));
    UseExecutable(bytes);
    platform::LoadExeImage();
    EXPECT_EQ(platform::ExeImage(), bytes);
}

TEST_F(ExeImageTest, ExtractSectionLoadsOnFirstUse)
{
    UseExecutable("image SO!#JPG2\xB6" + branding::DescrambleText("jpeg") + "EO!#JPG2");
    EXPECT_EQ(branding::ExtractSection("jpg2"), branding::DescrambleText("jpeg"));
    EXPECT_FALSE(platform::ExeImage().empty());
    EXPECT_EQ(branding::ReadBrandingImage(), "jpeg");
}

TEST_F(ExeImageTest, ExtractSectionKeepsLoadedImage)
{
    UseExecutable("on disk");
    const platform::ScopedExeImage loaded("SO!#A\xB6"
                                          "x"
                                          "EO!#A");
    EXPECT_EQ(branding::ExtractSection("A"), "x");
}

TEST_F(ExeImageTest, UnreadableExecutableRaisesAndKeepsImage)
{
    executable_.emplace(dir_.File("absent"));
    {
        const platform::ScopedExeImage kept("kept");
        EXPECT_THROW(platform::LoadExeImage(), std::runtime_error);
        EXPECT_EQ(platform::ExeImage(), "kept");
        executable_.emplace(dir_.path().string());
        EXPECT_THROW(platform::LoadExeImage(), std::runtime_error);
    }
    EXPECT_THROW(branding::ExtractSection("JPG2"), std::runtime_error);
}

TEST(TextToStream, LeavesStreamAtStartHoldingBytes)
{
    std::stringstream stream(std::ios::in | std::ios::out | std::ios::binary);
    branding::TextToStream("\xFF\xD8\0x"s, stream);
    EXPECT_EQ(stream.tellg(), 0);
    EXPECT_EQ(stream.tellp(), 0);
    EXPECT_EQ(stream.str(), "\xFF\xD8\0x"s);
    char first = 0;
    stream.get(first);
    EXPECT_EQ(first, '\xFF');
}

TEST(TextToStream, EmptyTextWritesNothing)
{
    std::stringstream stream(std::ios::in | std::ios::out | std::ios::binary);
    branding::TextToStream("", stream);
    EXPECT_EQ(stream.str(), "");
    EXPECT_EQ(stream.tellg(), 0);
}

} // namespace
