// Writes the seed inputs of the fuzz targets: a small program image branded like the delivered
// one, cut at every boundary of its appended pieces, trailer texts cut at every field edge, and
// pictures of every colour space, baseline and progressive, smaller and larger than the view.
// Usage: fuzz_make_seeds IMAGE.jpg OUTPUT_FOLDER
#include <cstdio>
#include <cstring>
#include <elf.h>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "branding/brand_writer.h"
#include "fuzz/jpeg_samples.h"
#include "platform/exe_image.h"

namespace
{

namespace fs = std::filesystem;

void Save(const fs::path& folder, const std::string& name, const std::string& bytes)
{
    fs::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary) << bytes;
}

std::set<std::size_t> Around(std::initializer_list<std::size_t> edges, std::size_t limit)
{
    std::set<std::size_t> cuts;
    for (std::size_t edge : edges) {
        for (std::size_t cut : {edge - 1, edge, edge + 1})
            if (cut <= limit)
                cuts.insert(cut);
    }
    return cuts;
}

void SaveJpegSeeds(const fs::path& folder, const std::string& delivered)
{
    using jpegsamples::Space;
    const jpegsamples::Picture gradient = [](int x, int y) {
        return jpegsamples::Rgb{static_cast<std::uint8_t>(x * 3), static_cast<std::uint8_t>(y * 5),
                                static_cast<std::uint8_t>(200 - x)};
    };
    const std::pair<const char*, Space> spaces[] = {{"grey", Space::Grey},
                                                    {"colour", Space::Colour},
                                                    {"cmyk", Space::Cmyk},
                                                    {"ycck", Space::Ycck}};
    for (const auto& [label, space] : spaces) {
        for (bool progressive : {false, true}) {
            const std::string name = std::string(label) + (progressive ? "_progressive" : "");
            Save(folder, name + "_small",
                 jpegsamples::Encode(24, 16, space, progressive, gradient));
            Save(folder, name + "_wide",
                 jpegsamples::Encode(600, 64, space, progressive, gradient));
        }
    }
    Save(folder, "delivered", delivered);
}

// A small ELF file of this machine's kind (64-bit, little-endian): its header, one segment and
// one section, 300 bytes in all.
std::string SmallElf()
{
    Elf64_Ehdr header{};
    std::memcpy(header.e_ident, ELFMAG, SELFMAG);
    header.e_ident[EI_CLASS] = ELFCLASS64;
    header.e_ident[EI_DATA] = ELFDATA2LSB;
    header.e_phoff = sizeof header;
    header.e_phnum = 1;
    header.e_phentsize = sizeof(Elf64_Phdr);
    header.e_shoff = sizeof header + sizeof(Elf64_Phdr);
    header.e_shnum = 1;
    header.e_shentsize = sizeof(Elf64_Shdr);
    Elf64_Phdr segment{};
    segment.p_filesz = 250;
    Elf64_Shdr section{};
    section.sh_type = SHT_PROGBITS;
    section.sh_offset = 200;
    section.sh_size = 100;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(reinterpret_cast<const char*>(&segment), sizeof segment);
    bytes.append(reinterpret_cast<const char*>(&section), sizeof section);
    bytes.resize(300, 'p');
    return bytes;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("Usage: fuzz_make_seeds IMAGE.jpg OUTPUT_FOLDER\n", stderr);
        return 2;
    }
    std::string jpeg;
    platform::ReadWholeFile(argv[1], jpeg);
    const fs::path out = argv[2];
    std::string image = "\x7f"
                        "ELF" +
                        std::string(60, '\0') + "plain program image";
    const std::size_t plainEnd = image.size();
    branding::AppendSection(image, "JPG2", jpeg);
    const std::size_t sectionEnd = image.size();
    branding::AppendTrailer(image, {"Sitewright", "Visit us", "http://www.example.com/ "});
    const std::size_t textEnd = image.size() - 4;
    const std::string text = image.substr(sectionEnd, textEnd - sectionEnd);
    const auto cuts =
        Around({0, plainEnd, plainEnd + 9, sectionEnd - 8, sectionEnd, textEnd, image.size()},
               image.size());
    for (std::size_t cut : cuts) {
        const std::string n = std::to_string(cut);
        Save(out / "extract_section", "head_" + n, "\x04JPG2" + image.substr(0, cut));
        Save(out / "extract_section", "tail_" + n, "\x04JPG2" + image.substr(cut));
        Save(out / "read_trailer", "head_" + n, image.substr(0, cut));
        Save(out / "read_trailer", "tail_" + n, image.substr(cut));
        Save(out / "list_sections", "head_" + n, image.substr(0, cut));
        Save(out / "append_section", "head_" + n, "\x03TXT" + image.substr(0, cut));
    }
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        if (cut == text.size() || text[cut] == '"' || text[cut] == '|' || text[cut] == '\r')
            Save(out / "split_fields", "cut_" + std::to_string(cut), "|" + text.substr(0, cut));
    }
    std::string elf = SmallElf();
    branding::AppendSection(elf, "JPG2", "picture");
    for (std::size_t cut : Around({0, 64, 300, 309, elf.size()}, elf.size()))
        Save(out / "program_image", "head_" + std::to_string(cut), elf.substr(0, cut));
    SaveJpegSeeds(out / "decode_jpeg", jpeg);
    const std::string recipe = "{\"format\": 1, \"snippets\": [{\"gadget\": \"popup-page\", "
                               "\"edition\": \"today\", \"values\": {\"width\": \"3\"}, "
                               "\"output\": \"a/b.html\", \"x\": [1, {\"y\": null}]}], \"z\": 2}";
    for (std::size_t cut = 0; cut <= recipe.size(); cut += 7)
        Save(out / "recipe", "cut_" + std::to_string(cut), recipe.substr(0, cut));
    return 0;
}
