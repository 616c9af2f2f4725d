#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "appended/appended_data.h"
#include "appended/branding_source.h"
#include "appended/exe_image.h"
#include "appended/section_format.h"
#include "platform/executable_path.h"
#include "temp_dir.h"

namespace
{

using namespace std::string_literals;

// Points the program at a file of the test's own and restores everything afterwards.
class ExeImageTest : public testing::Test
{
protected:
    void TearDown() override
    {
        platform::OverrideExecutablePath("");
        appended::ExeImage().clear();
    }
    void UseExecutable(const std::string& bytes)
    {
        platform::OverrideExecutablePath(dir_.Write("tool", bytes));
        appended::ExeImage().clear();
    }
    TempDir dir_;
};

TEST_F(ExeImageTest, LoadReadsEveryByte)
{
    std::string bytes = "head\0"s;
    for (int i = 0; i < 70000; ++i)
        bytes.push_back(static_cast<char>(i * 7));
    UseExecutable(bytes);
    appended::LoadExeImage();
    EXPECT_EQ(appended::ExeImage(), bytes);
}

TEST_F(ExeImageTest, ExtractSectionLoadsOnFirstUse)
{
    UseExecutable("image SO!#JPG2\xB6" + appended::DescrambleText("jpeg") + "EO!#JPG2");
    EXPECT_EQ(appended::ExtractSection("jpg2"), appended::DescrambleText("jpeg"));
    EXPECT_FALSE(appended::ExeImage().empty());
    EXPECT_EQ(appended::ReadBrandingImage(), "jpeg");
}

TEST_F(ExeImageTest, ExtractSectionKeepsLoadedImage)
{
    UseExecutable("on disk");
    appended::ExeImage() = "SO!#A\xB6"
                           "x"
                           "EO!#A";
    EXPECT_EQ(appended::ExtractSection("A"), "x");
}

TEST_F(ExeImageTest, UnreadableExecutableRaisesAndKeepsImage)
{
    platform::OverrideExecutablePath(dir_.File("absent"));
    appended::ExeImage() = "kept";
    EXPECT_THROW(appended::LoadExeImage(), std::runtime_error);
    EXPECT_EQ(appended::ExeImage(), "kept");
    platform::OverrideExecutablePath(dir_.path().string());
    EXPECT_THROW(appended::LoadExeImage(), std::runtime_error);
    appended::ExeImage().clear();
    EXPECT_THROW(appended::ExtractSection("JPG2"), std::runtime_error);
}

TEST(TextToStream, LeavesStreamAtStartHoldingBytes)
{
    std::stringstream stream(std::ios::in | std::ios::out | std::ios::binary);
    appended::TextToStream("\xFF\xD8\0x"s, stream);
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
    appended::TextToStream("", stream);
    EXPECT_EQ(stream.str(), "");
    EXPECT_EQ(stream.tellg(), 0);
}

} // namespace
