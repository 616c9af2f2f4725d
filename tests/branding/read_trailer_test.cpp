#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "branding/appended_data.h"
#include "branding/branding_source.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_dir.h"

using branding::ReadTrailer;

namespace
{

using namespace std::string_literals;

std::string Le32(std::int32_t value)
{
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF));
    return bytes;
}

std::string WithTrailer(const std::string& text)
{
    return "program image\0\0"s + text + Le32(static_cast<std::int32_t>(text.size() + 4));
}

struct TrailerCase {
    const char* label;
    std::string file;
    bool found;
    std::string text;
};

class ReadTrailerReads : public testing::TestWithParam<TrailerCase>
{
};

TEST_P(ReadTrailerReads, GivesFlagAndText)
{
    TempDir dir;
    const std::string path = dir.Write("tool.exe", GetParam().file);
    std::string text = "stale";
    EXPECT_EQ(ReadTrailer(path, text), GetParam().found);
    EXPECT_EQ(text, GetParam().text);
}

const std::string kDelivered = "\"Sitewright\"|\"Visit us\"|\"http://www.example.com/ \"\r\n";

const TrailerCase kReadCases[] = {
    {"Delivered", WithTrailer(kDelivered), true, kDelivered},
    {"NoFinalLineEnd", WithTrailer("\"a\"|\"b\""), true, "\"a\"|\"b\"\r\n"},
    {"LoneLineEndsBecomeCrLf", WithTrailer("a\rb\nc"), true, "a\r\nb\r\nc\r\n"},
    {"ZeroByteCutsText", WithTrailer("\"a\"\0|\"b\"\r\n"s), true, "\"a\"\r\n"},
    {"LengthFour", "image"s + Le32(4), true, ""},
    {"LengthEqualToFileSize", "ab\rcd\0ef"s + Le32(12), true, "ab\r\ncd\r\n"},
    {"LengthOneAboveFileSize", "abcdefgh"s + Le32(13), false, ""},
    {"LengthFarAboveFileSize", "abcdefgh"s + Le32(0x7FFFFFFF), false, ""},
    {"FourByteFileOfLengthFour", Le32(4), true, ""},
};

INSTANTIATE_TEST_SUITE_P(Files, ReadTrailerReads, testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.label); });

class ReadTrailerRaises : public testing::TestWithParam<std::int32_t>
{
};

TEST_P(ReadTrailerRaises, OnLengthBelowFour)
{
    TempDir dir;
    const std::string path = dir.Write("tool.exe", "program image"s + Le32(GetParam()));
    std::string text = "stale";
    EXPECT_THROW(ReadTrailer(path, text), std::runtime_error);
    EXPECT_EQ(text, "");
}

INSTANTIATE_TEST_SUITE_P(Lengths, ReadTrailerRaises,
                         testing::Values(0, 1, 2, 3, -1, -4, INT32_MIN));

TEST(ReadTrailer, MissingFileGivesFalse)
{
    TempDir dir;
    std::string text = "stale";
    EXPECT_FALSE(ReadTrailer(dir.File("absent.exe"), text));
    EXPECT_EQ(text, "");
}

TEST(ReadTrailer, FileShorterThanLengthFieldRaises)
{
    TempDir dir;
    std::string text;
    EXPECT_THROW(ReadTrailer(dir.Write("short.exe", "abc"), text), std::runtime_error);
    EXPECT_THROW(ReadTrailer(dir.Write("empty.exe", ""), text), std::runtime_error);
}

TEST(ReadTrailer, FolderIsNoFileAndGivesFalse)
{
    TempDir dir;
    std::string text = "stale";
    EXPECT_FALSE(ReadTrailer(dir.path().string(), text));
    EXPECT_EQ(text, "");
}

TEST(ReadTrailer, LeavesFilesBesideTheExecutableAlone)
{
    TempDir dir;
    const std::string exe = dir.Write("tool.exe", WithTrailer(kDelivered));
    dir.Write("tool.txt", "the user's notes");
    std::string text;
    ASSERT_TRUE(ReadTrailer(exe, text));
    EXPECT_EQ(ReadBytes(dir.File("tool.txt")), "the user's notes");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"tool.exe", "tool.txt"}));
}

TEST(ReadTrailer, WorksInReadOnlyFolder)
{
    TempDir dir;
    const std::string exe = dir.Write("tool", WithTrailer(kDelivered));
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec);
    std::string text;
    EXPECT_TRUE(ReadTrailer(exe, text));
    EXPECT_EQ(text, kDelivered);
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
}

TEST(ReadBrandingItems, SplitsTrailerAndIsEmptyWithoutOne)
{
    TempDir dir;
    EXPECT_EQ(branding::ReadBrandingItems(dir.Write("a.exe", WithTrailer(kDelivered))),
              (std::vector<std::string>{"Sitewright", "Visit us", "http://www.example.com/ "}));
    EXPECT_EQ(branding::ReadBrandingItems(dir.Write("b.exe", WithTrailer("\"x\"|\"y\""))),
              (std::vector<std::string>{"x", "y"}));
    EXPECT_TRUE(branding::ReadBrandingItems(dir.File("absent.exe")).empty());
    EXPECT_THROW(branding::ReadBrandingItems(dir.Write("c.exe", "plain\0\0\0\0"s)),
                 std::runtime_error);
}

} // namespace
