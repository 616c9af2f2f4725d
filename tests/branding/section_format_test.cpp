#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "branding/section_format.h"

using branding::DescrambleText;
using branding::ExtractSectionFrom;

namespace
{

using namespace std::string_literals;

const std::string kImage = "\x7f"
                           "ELF program image\0\0\0"s;

std::string Start(const std::string& upperName)
{
    return "SO!#" + upperName + "\xB6";
}
std::string End(const std::string& upperName)
{
    return "EO!#" + upperName;
}

struct LookupCase {
    const char* label;
    std::string image;
    std::string name;
    std::string expected;
};

class SectionLookup : public testing::TestWithParam<LookupCase>
{
};

TEST_P(SectionLookup, FindsStoredBytes)
{
    EXPECT_EQ(ExtractSectionFrom(GetParam().image, GetParam().name), GetParam().expected);
}

// Looking many names up at once gives what each lookup alone gives, repeated names and names
// that are prefixes of others included.
TEST_P(SectionLookup, ManyAtOnceAgreeWithOneByOne)
{
    const std::string& image = GetParam().image;
    const std::vector<std::string> names = {GetParam().name, "JPG", "JPG2", "x",
                                            GetParam().name, ""};
    const auto spans = branding::FindSections(image, names);
    ASSERT_EQ(spans.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        branding::SectionSpan alone;
        const bool found = branding::FindSection(image, names[i], alone);
        ASSERT_EQ(spans[i].has_value(), found) << names[i];
        if (found) {
            EXPECT_EQ(spans[i]->offset, alone.offset) << names[i];
            EXPECT_EQ(spans[i]->size, alone.size) << names[i];
        }
    }
}

const LookupCase kLookupCases[] = {
    {"UpperName", kImage + Start("JPG2") + "data" + End("JPG2"), "JPG2", "data"},
    {"NameInSmallLetters", kImage + Start("JPG2") + "data" + End("JPG2"), "jpg2", "data"},
    {"MixedCaseName", kImage + Start("JPG2") + "data" + End("JPG2"), "Jpg2", "data"},
    {"MarkersStoredInSmallLettersAreNotSections",
     kImage +
         "so!#jpg2\xB6"
         "data" +
         "eo!#jpg2",
     "jpg2", ""},
    {"ZeroLengthSection", kImage + Start("JPG2") + End("JPG2"), "JPG2", ""},
    {"MissingStartMarker", kImage + "data" + End("JPG2"), "JPG2", ""},
    {"MissingEndMarker", kImage + Start("JPG2") + "data", "JPG2", ""},
    {"StartMarkerWithoutPilcrow", kImage + "SO!#JPG2data" + End("JPG2"), "JPG2", ""},
    {"PilcrowAsUtf8DoesNotCount",
     kImage +
         "SO!#JPG2\xC2\xB6"
         "data" +
         End("JPG2"),
     "JPG2", ""},
    {"EndMarkerBeforeStartMarker", kImage + End("JPG2") + Start("JPG2") + "data" + End("JPG2"),
     "JPG2", ""},
    {"NamePrefixOfEarlierSection",
     kImage + Start("JPG2") + "big" + End("JPG2") + Start("JPG") + "small" + End("JPG"), "JPG", ""},
    {"EarlierSectionStillReadable",
     kImage + Start("JPG2") + "big" + End("JPG2") + Start("JPG") + "small" + End("JPG"), "JPG2",
     "big"},
    {"SecondSectionReadable",
     kImage + Start("A") + "one" + End("A") + Start("B") + "two" + End("B"), "b", "two"},
    {"FirstStartMarkerWins", kImage + Start("X") + "one" + Start("X") + "two" + End("X"), "X",
     "one" + Start("X") + "two"},
    {"FirstEndMarkerWins", kImage + Start("X") + "one" + End("X") + "two" + End("X"), "X", "one"},
    {"ZeroBytesTakePart", "\0\0"s + Start("Z") + "a\0b"s + End("Z") + "\0"s, "Z", "a\0b"s},
    {"HighBytesInName", kImage + Start("\xE9T\xE9") + "x" + End("\xE9T\xE9"), "\xE9t\xE9", "x"},
    {"EmptyImage", "", "JPG2", ""},
};

INSTANTIATE_TEST_SUITE_P(Images, SectionLookup, testing::ValuesIn(kLookupCases),
                         [](const auto& info) { return std::string(info.param.label); });

// Names that differ only in letter case are one name to a lookup: 400,000 of them, each with
// its own markers (8 MB), are looked up in time linear in the image, all finding the first.
TEST(FindSections, CaseVariantsCostLinearTime)
{
    std::vector<std::string> names;
    std::string image = kImage;
    for (std::uint32_t pattern = 0; pattern < 400000; ++pattern) {
        std::string name(20, 'a');
        for (std::size_t bit = 0; bit < 20; ++bit)
            if (pattern & (1u << bit))
                name[bit] = 'A';
        image += "SO!#" + name + "\xB6" + "x" + End(name);
        names.push_back(std::move(name));
    }
    image += Start(std::string(20, 'A')) + "data" + End(std::string(20, 'A'));
    const auto spans = branding::FindSections(image, names);
    ASSERT_EQ(spans.size(), names.size());
    for (const auto& span : spans) {
        ASSERT_TRUE(span);
        EXPECT_EQ(image.substr(span->offset, span->size), "data");
    }
}

TEST(SectionMarkers, AreUpperCaseWithPilcrowOnlyOnStart)
{
    EXPECT_EQ(branding::SectionStartMarker("jpg2"), "SO!#JPG2\xB6");
    EXPECT_EQ(branding::SectionEndMarker("jpg2"), "EO!#JPG2");
}

TEST(DescrambleText, IsItsOwnInverseAndLeavesLength)
{
    std::string every;
    for (int i = 0; i < 256; ++i)
        every.push_back(static_cast<char>(i));
    const std::string scrambled = DescrambleText(every);
    ASSERT_EQ(scrambled.size(), every.size());
    EXPECT_EQ(scrambled[0], '\x5C');
    EXPECT_EQ(scrambled['\x5C'], '\0');
    EXPECT_EQ(DescrambleText(scrambled), every);
    EXPECT_EQ(DescrambleText(""), "");
}

} // namespace
