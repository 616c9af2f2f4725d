#include <gtest/gtest.h>

#include <cstring>
#include <elf.h>
#include <functional>
#include <string>

#include "platform/program_image.h"
#include "platform/read_only_file.h"
#include "tests/support/temp_dir.h"

namespace
{

// This test program as the linker wrote it: a real ELF file of this machine's kind.
std::string OwnImage()
{
    return platform::ReadOnlyFile("/proc/self/exe").ReadAll();
}

std::int64_t ImageSizeOf(const std::string& bytes)
{
    TempDir dir;
    return platform::ProgramImageSize(platform::ReadOnlyFile(dir.Write("exe", bytes)));
}

Elf64_Ehdr HeaderOf(const std::string& image)
{
    Elf64_Ehdr header;
    std::memcpy(&header, image.data(), sizeof header);
    return header;
}

std::string WithHeader(std::string image, const Elf64_Ehdr& header)
{
    image.replace(0, sizeof header, reinterpret_cast<const char*>(&header), sizeof header);
    return image;
}

// What a linker writes ends with its last table: nothing of it is taken for appended data, and
// whatever is appended is.
TEST(ProgramImage, EndsWhereTheLinkerStopped)
{
    const std::string image = OwnImage();
    EXPECT_EQ(ImageSizeOf(image), static_cast<std::int64_t>(image.size()));
    EXPECT_EQ(ImageSizeOf(image + "SO!#JPG2\xB6 appended EO!#JPG2"),
              static_cast<std::int64_t>(image.size()));
}

struct Damage {
    const char* name;
    std::function<std::string(std::string image)> apply;
};

class DamagedImage : public testing::TestWithParam<Damage>
{
};

// Headers that are not this machine's ELF, or that name bytes the file does not hold, give no
// program image, so the caller searches every byte, as it would without one.
TEST_P(DamagedImage, GivesNoProgramImage)
{
    EXPECT_EQ(ImageSizeOf(GetParam().apply(OwnImage())), 0);
}

std::function<std::string(std::string)> Edit(std::function<void(Elf64_Ehdr&)> edit)
{
    return [edit](std::string image) {
        Elf64_Ehdr header = HeaderOf(image);
        edit(header);
        return WithHeader(std::move(image), header);
    };
}

INSTANTIATE_TEST_SUITE_P(
    Headers, DamagedImage,
    testing::Values(
        Damage{"Empty", [](std::string) { return std::string(); }},
        Damage{"ShorterThanItsHeader", [](std::string image) { return image.substr(0, 63); }},
        Damage{"NotElf", [](std::string image) { return "MZ" + image.substr(2); }},
        Damage{"OtherClass", Edit([](Elf64_Ehdr& h) { h.e_ident[EI_CLASS] = ELFCLASS32; })},
        Damage{"OtherByteOrder", Edit([](Elf64_Ehdr& h) { h.e_ident[EI_DATA] = ELFDATA2MSB; })},
        Damage{"CutInsideItsSections",
               [](std::string image) { return image.substr(0, image.size() / 2); }},
        Damage{"SectionTableBeyondTheFile", Edit([](Elf64_Ehdr& h) { h.e_shoff = ~0ull - 8; })},
        Damage{"ProgramTableBeyondTheFile", Edit([](Elf64_Ehdr& h) { h.e_phoff = 1ull << 40; })},
        Damage{"MoreSectionsThanTheFileHolds", Edit([](Elf64_Ehdr& h) { h.e_shnum = 0xFFFF; })}),
    [](const testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

} // namespace
