// Writes the hostile files the benchmark table measures against its floors.
//
//   bench-hostile KIND OUTPUT [PROGRAM]
//
// Listing kinds write 4 MB of start and end markers: distinct (64,528 distinct 60-byte names),
// repeated (the start prefix 16 times, then the closing byte, over and over) and nested (names
// that begin with one another, then end markers of the longest). Start-up kinds copy PROGRAM and
// append a hostile trailer, or put a hostile "JPG2" section in place of its appended data:
// trailer-field (one 100 MB field), trailer-fields (5 million fields), jpeg-arithmetic (8192x8192,
// arithmetic-coded, a few hundred bytes), jpeg-scans (1 MB of arithmetic-coded noise in 100 scans)
// and section (100 MB of section). Page kinds write 16 MB pages for the site check: page-divs,
// page-bold and page-anchors (one snippet, then the tag repeated unclosed), page-classics and
// page-stamped (a classic or stamped snippet over and over) and page-claims (stamp lines each
// claiming four billion lines below). Case-variants writes 4 MB of start markers of 20-letter
// names that differ only in letter case.
#include <algorithm>
#include <cstdio>
#include <random>
#include <string>

#include "branding/brand_writer.h"
#include "branding/section_format.h"
#include "fuzz/jpeg_samples.h"
#include "generators/stamp.h"
#include "platform/exe_image.h"
#include "platform/staged_file.h"

namespace
{

constexpr std::size_t kListed = 4u << 20;

std::string Repeated(const std::string& unit, std::size_t size)
{
    std::string out;
    out.reserve(size);
    while (out.size() + unit.size() <= size)
        out += unit;
    return out;
}

std::string Listing(const std::string& kind)
{
    const std::string start = branding::SectionStartMarker("");
    const std::string prefix = start.substr(0, 4), close = start.substr(4);
    const std::string endPrefix = branding::SectionEndMarker("");
    std::string out;
    if (kind == "distinct") {
        char name[64];
        for (int i = 0; i < 64528; ++i) {
            std::snprintf(name, sizeof name, "%060d", i);
            out += prefix + name + close;
        }
    } else if (kind == "repeated") {
        out = Repeated(Repeated(prefix, prefix.size() * 16) + close, kListed);
    } else if (kind == "nested") {
        for (std::size_t n = 1; n <= 64; ++n)
            out += prefix + std::string(n, 'N') + close + "x" + endPrefix + std::string(n, 'N');
        out += Repeated(endPrefix + std::string(64, 'N'), kListed - out.size());
    }
    return out;
}

std::string CaseVariants()
{
    const std::string start = branding::SectionStartMarker("");
    std::string out;
    for (std::uint32_t pattern = 0; out.size() + start.size() + 20 <= kListed; ++pattern) {
        std::string name(20, 'a');
        for (int bit = 0; bit < 20; ++bit)
            if (pattern & (1u << bit))
                name[static_cast<std::size_t>(bit)] = 'A';
        out += start.substr(0, 4) + name + start.substr(4);
    }
    return out;
}

bool IsPageKind(const std::string& kind)
{
    return kind.starts_with("page-");
}

std::string Page(const std::string& kind)
{
    constexpr std::size_t kPage = 16u << 20;
    const gen::GadgetEntry& gadget = gen::GadgetTable().front();
    const gen::FieldValues values = gen::DefaultValues(gadget);
    const std::string classic =
        gen::GenerateEdition(gadget, values, gen::Edition::Classic).TextForm();
    const std::string stamped =
        gen::StampedEdition(gadget, values, gen::Edition::Classic).TextForm();
    if (kind == "page-classics")
        return Repeated(classic, kPage);
    if (kind == "page-stamped")
        return Repeated(stamped, kPage);
    if (kind == "page-claims") {
        std::string stamp = stamped.substr(0, stamped.find('\n') + 1);
        const std::size_t lines = stamp.find(" lines=") + 7;
        stamp.replace(lines, stamp.find(' ', lines) - lines, "4000000000");
        return Repeated(stamp, kPage);
    }
    const std::string tag = kind == "page-divs" ? "<div>" : kind == "page-bold" ? "<b>" : "<a>";
    return classic + Repeated(tag, kPage - classic.size());
}

std::string HostileJpeg(const std::string& kind)
{
    std::mt19937 random(1);
    const auto noise = [&](int, int) {
        return jpegsamples::Rgb{static_cast<std::uint8_t>(random()),
                                static_cast<std::uint8_t>(random()),
                                static_cast<std::uint8_t>(random())};
    };
    const auto flat = [](int, int) { return jpegsamples::Rgb{90, 90, 90}; };
    if (kind == "jpeg-arithmetic")
        return jpegsamples::WithSize(jpegsamples::EncodeArithmetic(64, 64, false, flat), 8192,
                                     8192);
    return jpegsamples::WithEmptyScans(jpegsamples::EncodeArithmetic(1024, 1024, true, noise), 90);
}

std::string StartUp(const std::string& kind, std::string program)
{
    // A section takes the place of the program's own branding: the program image holds no
    // start marker, so the appended data begins at the first one.
    if (kind != "trailer-field" && kind != "trailer-fields")
        program.resize(
            std::min(program.size(), program.find(branding::SectionStartMarker("").substr(0, 4))));
    if (kind == "trailer-field")
        branding::AppendTrailer(program, {std::string(100u << 20, 't'), "c", "a"});
    else if (kind == "trailer-fields")
        branding::AppendTrailer(program, std::vector<std::string>(5000000, ""));
    else if (kind == "section")
        branding::AppendSection(program, "JPG2", std::string(100u << 20, 's'));
    else
        branding::AppendSection(program, "JPG2", HostileJpeg(kind));
    return program;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4) {
        std::fputs("usage: bench-hostile KIND OUTPUT [PROGRAM]\n", stderr);
        return 2;
    }
    std::string bytes;
    if (argc == 3 && IsPageKind(argv[1])) {
        bytes = Page(argv[1]);
    } else if (argc == 3 && std::string(argv[1]) == "case-variants") {
        bytes = CaseVariants();
    } else if (argc == 3) {
        bytes = Listing(argv[1]);
    } else {
        platform::ReadWholeFile(argv[3], bytes);
        bytes = StartUp(argv[1], std::move(bytes));
    }
    platform::ReplaceFile(argv[2], bytes, platform::NewFileMode::Executable);
    return 0;
}
