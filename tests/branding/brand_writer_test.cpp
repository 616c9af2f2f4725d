#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "branding/brand_writer.h"
#include "branding/section_format.h"
#include "branding/trailer_text.h"

using branding::AppendSection;
using branding::AppendTrailer;
using branding::BrandRefusal;
using branding::DescrambleText;
using branding::ExtractSectionFrom;

namespace
{

using namespace std::string_literals;

const std::string kProgram = "\x7f"
                             "ELF plain program\0\0"s;

TEST(AppendSection, ReadsBackDescrambled)
{
    std::string image = kProgram;
    AppendSection(image, "jpg2", "\xFF\xD8 picture \0 bytes"s);
    AppendSection(image, "TXT", "second");
    EXPECT_EQ(image.substr(0, kProgram.size()), kProgram);
    EXPECT_EQ(image.substr(kProgram.size(), 9), "SO!#JPG2\xB6");
    EXPECT_EQ(DescrambleText(ExtractSectionFrom(image, "JPG2")), "\xFF\xD8 picture \0 bytes"s);
    EXPECT_EQ(DescrambleText(ExtractSectionFrom(image, "txt")), "second");
}

struct RefusalCase {
    const char* label;
    std::string image;
    std::string name;
    std::string plain;
};

class AppendSectionRefuses : public testing::TestWithParam<RefusalCase>
{
};

TEST_P(AppendSectionRefuses, AndLeavesImageUnchanged)
{
    std::string image = GetParam().image;
    EXPECT_THROW(AppendSection(image, GetParam().name, GetParam().plain), BrandRefusal);
    EXPECT_EQ(image, GetParam().image);
}

const RefusalCase kRefusals[] = {
    {"EmptyName", kProgram, "", "x"},
    {"BlankInName", kProgram, "JP G", "x"},
    {"PilcrowInName", kProgram, "JP\xB6", "x"},
    {"StartMarkerInProgram", kProgram + "SO!#JPG2\xB6", "JPG2", "x"},
    {"EndMarkerInProgram", kProgram + "EO!#JPG2", "jpg2", "x"},
    {"NamePrefixOfEarlierSection",
     kProgram +
         "SO!#JPG2\xB6"
         "d" +
         "EO!#JPG2",
     "JPG", "x"},
    {"SameNameTwice",
     kProgram +
         "SO!#JPG2\xB6"
         "d" +
         "EO!#JPG2",
     "JPG2", "x"},
    {"ScrambledBytesHoldEndMarker", kProgram, "AB", DescrambleText("..EO!#AB..")},
};

INSTANTIATE_TEST_SUITE_P(Bad, AppendSectionRefuses, testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(AppendTrailer, WritesQuotedFieldsAndLength)
{
    std::string image = kProgram;
    AppendTrailer(image, {"Site", "Visit \"us\"", "http://www.example.com/ "});
    const std::string text = "\"Site\"|\"Visit \"\"us\"\"\"|\"http://www.example.com/ \"\r\n";
    EXPECT_EQ(image, kProgram + text + std::string(1, char(text.size() + 4)) + "\0\0\0"s);
}

TEST(AppendTrailer, RefusesUnquotableFieldsAndNoFields)
{
    for (const std::vector<std::string>& fields :
         {std::vector<std::string>{}, {"a", "b\r\nc", "d"}, {"a\0"s}, {"x\n"}}) {
        std::string image = kProgram;
        EXPECT_THROW(AppendTrailer(image, fields), BrandRefusal);
        EXPECT_EQ(image, kProgram);
    }
}

TEST(ListSections, ShowsReadableAndShadowedSections)
{
    const std::string image = kProgram + "SO!#JPG2\xB6"
                                         "big"
                                         "EO!#JPG2"
                                         "SO!#JPG\xB6"
                                         "small"
                                         "EO!#JPG";
    const auto entries = branding::ListSections(image);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "JPG2");
    EXPECT_TRUE(entries[0].readable);
    EXPECT_EQ(entries[0].span.size, 3u);
    EXPECT_EQ(entries[1].name, "JPG");
    EXPECT_FALSE(entries[1].readable);
}

std::string Repeat(const std::string& unit, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += unit;
    return out;
}

struct MarkerPattern {
    const char* label;
    std::string image;
    std::size_t readable;
};

class ListSectionsOn : public testing::TestWithParam<MarkerPattern>
{
};

// Every listed marker is where its name's start marker stands, and it is readable exactly when
// a lookup of its name reaches the data behind it, with the size that lookup gives.
TEST_P(ListSectionsOn, AgreesWithLookupOfEachName)
{
    const std::string& image = GetParam().image;
    const auto entries = branding::ListSections(image);
    EXPECT_EQ(entries.size(), branding::CountSections(image));
    std::size_t readable = 0;
    for (const branding::SectionEntry& entry : entries) {
        ASSERT_EQ(image.substr(entry.markerOffset, entry.name.size() + 5),
                  "SO!#" + entry.name + "\xB6");
        branding::SectionSpan span;
        const bool found = branding::FindSection(image, entry.name, span);
        const std::size_t dataAt = entry.markerOffset + entry.name.size() + 5;
        ASSERT_EQ(entry.readable, found && span.offset == dataAt) << entry.name;
        if (entry.readable) {
            EXPECT_EQ(entry.span.size, span.size) << entry.name;
            ++readable;
        }
    }
    EXPECT_EQ(readable, GetParam().readable);
}

std::string NestedNames()
{
    std::string image = kProgram;
    for (int n = 1; n <= 20; ++n)
        image += "SO!#" + std::string(n, 'N') + "\xB6" + std::string(n, 'd');
    // The longest end marker holds every shorter one at its start; later ones find nothing new.
    for (int n = 20; n >= 1; --n)
        image += "EO!#" + std::string(n, 'N') + "-";
    return image;
}

std::string DistinctNames()
{
    std::string image = kProgram;
    for (int i = 0; i < 300; ++i)
        image += "SO!#" + std::to_string(i * 7919) + "\xB6" + "data";
    for (int i = 299; i >= 0; i -= 2)
        image += "EO!#" + std::to_string(i * 7919);
    return image;
}

const MarkerPattern kMarkerPatterns[] = {
    {"RepeatedStartPrefixes", Repeat(Repeat("SO!#", 16) + "\xB6", 20) + "EO!#SO!#SO!#", 3},
    {"NestedNames", NestedNames(), 20},
    {"DistinctNames", DistinctNames(), 150},
    {"SmallAndCapitalLetters",
     kProgram + "SO!#jpg2\xB6" + "a" + "SO!#JPG2\xB6" + "b" + "EO!#JPG2" + "SO!#Jpg2\xB6" +
         "EO!#jpg2",
     1},
    {"EndMarkersBeforeStarts",
     kProgram + "EO!#AB" + "SO!#A\xB6" + "x" + "EO!#A" + "SO!#AB\xB6" + "y" + "EO!#AB", 0},
    {"NameLongerThanListed",
     kProgram + "SO!#" + std::string(64, 'L') + "\xB6" + "SO!#" + std::string(65, 'L') + "\xB6" +
         "EO!#" + std::string(65, 'L'),
     1},
};

INSTANTIATE_TEST_SUITE_P(Patterns, ListSectionsOn, testing::ValuesIn(kMarkerPatterns),
                         [](const auto& info) { return std::string(info.param.label); });

} // namespace
