#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "branding/appended_data.h"
#include "branding/branding_source.h"
#include "branding/section_format.h"
#include "branding/start_up_limits.h"
#include "platform/exe_image.h"
#include "platform/executable_path.h"
#include "platform/read_only_file.h"
#include "tests/support/temp_dir.h"

namespace
{

using namespace std::string_literals;

std::string Le32(std::uint32_t value)
{
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return bytes;
}

std::string TrailerOf(const std::string& text)
{
    return "program image\0\0"s + text + Le32(static_cast<std::uint32_t>(text.size() + 4));
}

std::string Quoted(const std::string& field)
{
    return "\"" + field + "\"";
}

std::string Fields(const std::string& title, const std::string& caption, const std::string& address)
{
    return Quoted(title) + "|" + Quoted(caption) + "|" + Quoted(address) + "\r\n";
}

std::string ManyFields(int count)
{
    std::string text = Quoted("x");
    for (int i = 1; i < count; ++i)
        text += "|" + Quoted("x");
    return text + "\r\n";
}

struct TrailerLimitCase {
    const char* label;
    std::string text;
    std::string refusal; // empty: read; otherwise what the message says
};

class TrailerLimits : public testing::TestWithParam<TrailerLimitCase>
{
};

TEST_P(TrailerLimits, ReadUpToEachLimitAndRefusedBeyondNamingIt)
{
    TempDir dir;
    const std::string exe = dir.Write("exe", TrailerOf(GetParam().text));
    if (GetParam().refusal.empty()) {
        EXPECT_GE(branding::ReadBrandingItems(exe).size(), 3u);
        return;
    }
    try {
        branding::ReadBrandingItems(exe);
        ADD_FAILURE() << "read; expected: " << GetParam().refusal;
    } catch (const branding::LimitExceeded& error) {
        EXPECT_EQ(error.what(), GetParam().refusal);
    }
}

const std::string k4K(4096, 't'), k2K(2048, 'a');

const TrailerLimitCase kTrailerLimits[] = {
    {"EachFieldAtItsLimit", Fields(k4K, k4K, k2K), ""},
    {"DoubledQuotesCountOnce", Fields(std::string(4096, '"'), "c", "a"), ""},
    {"LongTitle", Fields(k4K + "t", "c", "a"),
     "The branding title holds 4097 bytes; at most 4096 are shown."},
    {"LongCaption", Fields("t", k4K + "c", "a"),
     "The branding link caption holds 4097 bytes; at most 4096 are shown."},
    {"LongAddress", Fields("t", "c", k2K + "a"),
     "The branding web address holds 2049 bytes; at most 2048 are shown."},
    {"TooManyFields", ManyFields(65), "The branding trailer has 65 fields; at most 64 are read."},
    {"FieldsAtTheirLimit", ManyFields(64), ""},
    {"LongText", Fields("t", "c", std::string(40000, ' ')),
     "The branding trailer holds 40012 bytes of text; at most 32768 are read."},
};

INSTANTIATE_TEST_SUITE_P(Trailers, TrailerLimits, testing::ValuesIn(kTrailerLimits),
                         [](const auto& info) { return std::string(info.param.label); });

// A trailer text of a gigabyte is refused from its length field alone: the file is sparse, and
// reading it would take the gigabyte.
TEST(TrailerLimits, HugeTextIsRefusedUnread)
{
    TempDir dir;
    const std::string exe = dir.File("exe");
    const std::uint32_t length = 1u << 30;
    std::filesystem::resize_file(dir.Write("exe", "program"), length + 16);
    std::ofstream(exe, std::ios::binary | std::ios::in).seekp(length + 12) << Le32(length);
    std::string text = "left over";
    EXPECT_THROW(branding::ReadTrailer(exe, text, branding::kMaxTrailerText),
                 branding::LimitExceeded);
    EXPECT_TRUE(text.empty());
    EXPECT_TRUE(branding::ReadTrailer(dir.Write("small", TrailerOf("\"x\"\r\n")), text,
                                      branding::kMaxTrailerText));
}

// The file is read in pieces of 1 MB; markers that straddle a seam must be found as in memory.
class SectionInFile : public testing::TestWithParam<std::size_t>
{
};

TEST_P(SectionInFile, AgreesWithLookupInMemory)
{
    constexpr std::size_t kSeam = std::size_t{1} << 20;
    const std::size_t startAt = GetParam();
    std::string image(startAt, 'p');
    image += branding::SectionStartMarker("JPG2") + std::string(kSeam - 4, 'd');
    image += branding::SectionEndMarker("JPG2") + "tail";
    TempDir dir;
    const platform::ReadOnlyFile file(dir.Write("exe", image));
    for (const char* name : {"JPG2", "JPG", "other"}) {
        branding::SectionSpan inMemory, inFile;
        const bool found = branding::FindSection(image, name, inMemory);
        ASSERT_EQ(branding::FindSectionInFile(file, name, inFile), found) << name;
        if (found) {
            EXPECT_EQ(inFile.offset, inMemory.offset) << name;
            EXPECT_EQ(inFile.size, inMemory.size) << name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AroundSeams, SectionInFile,
                         testing::Values(0, (1u << 20) - 9, (1u << 20) - 5, (1u << 20) - 1,
                                         (1u << 20), (1u << 20) + 3, (2u << 20) - 7));

// An end marker that stands before the start marker makes the section unreadable, in a file as
// much as in memory, even when the start marker lies pieces later.
TEST(SectionInFile, EndMarkerBeforeStartHidesTheSection)
{
    const std::string image =
        "EO!#JPG2" + std::string(3u << 20, 'p') + "SO!#JPG2\xB6" + "data" + "EO!#JPG2";
    TempDir dir;
    branding::SectionSpan span;
    EXPECT_FALSE(
        branding::FindSectionInFile(platform::ReadOnlyFile(dir.Write("exe", image)), "JPG2", span));
}

struct ImageSource {
    const char* label;
    bool loaded; // the relocation has read the executable into ExeImage already
};

class BrandingImageSize : public testing::TestWithParam<ImageSource>
{
};

// The same section is read from the file or from ExeImage; one above the limit is refused.
TEST_P(BrandingImageSize, ReadUpToTheLimitAndRefusedBeyond)
{
    for (const std::size_t size :
         {std::size_t{3}, branding::kMaxImageSectionBytes, branding::kMaxImageSectionBytes + 1}) {
        const std::string image = "program" + branding::SectionStartMarker("JPG2") +
                                  std::string(size, '\x5C') + branding::SectionEndMarker("JPG2") +
                                  "\0\0\0\0"s;
        TempDir dir;
        const platform::ScopedExecutablePath path(dir.Write("exe", image));
        const platform::ScopedExeImage held(GetParam().loaded ? image : "");
        if (size > branding::kMaxImageSectionBytes) {
            EXPECT_THROW(branding::ReadBrandingImage(), branding::LimitExceeded);
            continue;
        }
        EXPECT_EQ(branding::ReadBrandingImage(), std::string(size, '\0'));
        // Read from the file, the section is held once: the executable is not loaded for it.
        EXPECT_EQ(platform::ExeImage().size(), GetParam().loaded ? image.size() : 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Sources, BrandingImageSize,
                         testing::Values(ImageSource{"FromFile", false},
                                         ImageSource{"FromExeImage", true}),
                         [](const auto& info) { return std::string(info.param.label); });

struct MarkerPlace {
    const char* label;
    std::int64_t startBefore; // how far before the program image's end the start marker begins
    bool found;
};

class SectionBehindImage : public testing::TestWithParam<MarkerPlace>
{
};

// Searching from the program image's end finds what the search from the first byte finds, also
// a start marker that begins inside the image's last bytes; one wholly inside is not looked for.
TEST_P(SectionBehindImage, AgreesWithTheWholeFile)
{
    constexpr std::int64_t kImage = 5000;
    const MarkerPlace place = GetParam();
    const std::string start = branding::SectionStartMarker("JPG2");
    std::string file(static_cast<std::size_t>(kImage - place.startBefore), 'p');
    file += start + "data" + branding::SectionEndMarker("JPG2");
    file.resize(std::max(file.size(), static_cast<std::size_t>(kImage)), 'p');
    TempDir dir;
    branding::SectionSpan behind, whole;
    ASSERT_EQ(branding::FindSectionInFile(platform::ReadOnlyFile(dir.Write("exe", file)), "jpg2",
                                          behind, kImage),
              place.found);
    if (place.found) {
        ASSERT_TRUE(branding::FindSection(file, "JPG2", whole));
        EXPECT_EQ(behind.offset, whole.offset);
        EXPECT_EQ(behind.size, whole.size);
    }
}

INSTANTIATE_TEST_SUITE_P(AroundTheImageEnd, SectionBehindImage,
                         testing::Values(MarkerPlace{"RightBehind", 0, true},
                                         MarkerPlace{"LastByteInside", 1, true},
                                         MarkerPlace{"AllButOneInside", 8, true},
                                         MarkerPlace{"WhollyInside", 9, false},
                                         MarkerPlace{"FarInside", 4000, false}),
                         [](const auto& info) { return std::string(info.param.label); });

// The program reads its branding image from behind a real program image, as the running
// program finds it in its own file.
TEST(SectionBehindImage, BrandingImageOfARealProgram)
{
    TempDir dir;
    const platform::ScopedExecutablePath path(dir.Write(
        "exe", platform::ReadOnlyFile("/proc/self/exe").ReadAll() +
                   branding::SectionStartMarker("JPG2") + branding::DescrambleText("picture") +
                   branding::SectionEndMarker("JPG2") + TrailerOf("\"t\"\r\n")));
    const platform::ScopedExeImage notLoaded;
    EXPECT_EQ(branding::ReadBrandingImage(), "picture");
}

} // namespace
