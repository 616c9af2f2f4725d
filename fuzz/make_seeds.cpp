// Writes the seed inputs of the fuzz targets: a small program image branded like the delivered
// one, cut at every boundary of its appended pieces, trailer texts cut at every field edge, and
// pictures of every colour space, baseline and progressive, smaller and larger than the view.
// Usage: fuzz_make_seeds IMAGE.jpg OUTPUT_FOLDER
#include <cstdio>
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
    SaveJpegSeeds(out / "decode_jpeg", jpeg);
    return 0;
}
