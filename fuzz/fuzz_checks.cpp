#include "fuzz/fuzz_checks.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

#include "branding/appended_data.h"
#include "branding/brand_writer.h"
#include "branding/jpeg_image.h"
#include "branding/section_format.h"
#include "branding/trailer_text.h"
#include "platform/program_image.h"
#include "platform/read_only_file.h"
#include "recipe/recipe.h"
#include "recipe/recipe_check.h"

namespace fuzzchecks
{

namespace
{

void Require(bool promise)
{
    if (!promise)
        __builtin_trap();
}

// The section's bytes must sit right behind the first start marker and end where the end
// marker first occurs in the whole image, whatever the image holds.
void CheckLookup(std::string_view image, std::string_view name)
{
    const std::string found = branding::ExtractSectionFrom(image, name);
    if (found.empty())
        return;
    const std::string start = branding::SectionStartMarker(name);
    const std::size_t at = image.find(start) + start.size();
    Require(image.substr(at, found.size()) == found);
    Require(image.find(branding::SectionEndMarker(name)) == at + found.size());
}

// The lookup of many names at once agrees with the lookup of each.
void CheckBatchLookup(std::string_view image, std::string_view name)
{
    const std::vector<std::string> names = {std::string(name), "JPG2", "JPG"};
    const auto spans = branding::FindSections(image, names);
    for (std::size_t i = 0; i < names.size(); ++i) {
        branding::SectionSpan alone;
        const bool found = branding::FindSection(image, names[i], alone);
        Require(spans[i].has_value() == found);
        Require(!found || (spans[i]->offset == alone.offset && spans[i]->size == alone.size));
    }
}

// One anonymous in-memory file serves every input, so the real file code is exercised without
// touching the disk.
const std::string& ScratchFile()
{
    static const std::string path = [] {
        const int fd = memfd_create("trailer", MFD_CLOEXEC);
        Require(fd >= 0);
        return "/proc/self/fd/" + std::to_string(fd);
    }();
    return path;
}

void FillScratch(const std::uint8_t* data, std::size_t size)
{
    const int fd = std::stoi(ScratchFile().substr(ScratchFile().rfind('/') + 1));
    Require(ftruncate(fd, 0) == 0);
    Require(pwrite(fd, data, size, 0) == static_cast<ssize_t>(size));
}

// A decoded picture is no larger than its view and exactly as many bytes as it has pixels; a
// refusal is the documented error. Anything else escapes and ends the run.
void CheckDecodeIn(std::string_view jpeg, branding::ViewSize view)
{
    try {
        const branding::RgbImage image = branding::DecodeJpeg(jpeg, view);
        Require(image.width > 0 && image.height > 0);
        Require(image.width <= view.width && image.height <= view.height);
        Require(image.rgb.size() == std::size_t{3} * static_cast<std::size_t>(image.width) *
                                        static_cast<std::size_t>(image.height));
    } catch (const std::runtime_error& error) {
        Require(std::string_view(error.what()).starts_with("Invalid JPEG image: "));
    }
}

// The first few entries are checked against a lookup of their own; the rest only for order, so
// a long input costs the check no more than the listing.
constexpr std::size_t kEntriesLookedUp = 16;

void CheckEntry(std::string_view image, const branding::SectionEntry& entry, bool lookUp)
{
    Require(image.substr(entry.markerOffset).starts_with("SO!#" + entry.name + '\xB6'));
    if (!lookUp)
        return;
    branding::SectionSpan span;
    const bool found = branding::FindSection(image, entry.name, span);
    const std::size_t dataAt = entry.markerOffset + 4 + entry.name.size() + 1;
    Require(entry.readable == (found && span.offset == dataAt));
    Require(!entry.readable || span.size == entry.span.size);
}

} // namespace

void CheckListSections(const std::uint8_t* data, std::size_t size)
{
    const std::string_view image(reinterpret_cast<const char*>(data), size);
    const std::vector<branding::SectionEntry> entries = branding::ListSections(image);
    Require(entries.size() == branding::CountSections(image));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        Require(i == 0 || entries[i - 1].markerOffset < entries[i].markerOffset);
        CheckEntry(image, entries[i], i < kEntriesLookedUp);
    }
}

void CheckAppendSection(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t nameSize = std::min<std::size_t>(data[0] % 9, rest.size());
    const std::string name(rest.substr(0, nameSize));
    const std::string_view body = rest.substr(nameSize);
    const std::string before(body.substr(0, body.size() / 2));
    const std::string_view plain = body.substr(body.size() / 2);
    std::string image = before;
    try {
        branding::AppendSection(image, name, plain);
    } catch (const branding::BrandRefusal&) {
        Require(image == before);
        return;
    }
    // The new section reads back, and every section readable before reads as it did.
    Require(image.starts_with(before));
    Require(branding::DescrambleText(branding::ExtractSectionFrom(image, name)) == plain);
    std::size_t looked = 0;
    branding::ForEachSection(before, [&](const branding::SectionEntry& entry) {
        if (entry.readable && looked++ < kEntriesLookedUp)
            Require(branding::ExtractSectionFrom(image, entry.name) ==
                    branding::ExtractSectionFrom(before, entry.name));
    });
}

void CheckDecodeJpeg(const std::uint8_t* data, std::size_t size)
{
    const std::string_view jpeg(reinterpret_cast<const char*>(data), size);
    CheckDecodeIn(jpeg, branding::ViewSize{536, 57});
    CheckDecodeIn(jpeg, branding::ViewSize{});
}

void CheckExtractSection(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t nameSize = std::min<std::size_t>(data[0] % 9, rest.size());
    CheckLookup(rest.substr(nameSize), rest.substr(0, nameSize));
    CheckLookup(rest, "JPG2");
    CheckBatchLookup(rest.substr(nameSize), rest.substr(0, nameSize));
}

void CheckReadTrailer(const std::uint8_t* data, std::size_t size)
{
    FillScratch(data, size);
    std::string text;
    try {
        if (!branding::ReadTrailer(ScratchFile(), text)) {
            Require(text.empty());
            return;
        }
    } catch (const std::runtime_error&) {
        Require(text.empty());
        return;
    }
    Require(text.find('\0') == std::string::npos);
    Require(text.empty() || text.ends_with("\r\n"));
    Require(text.size() <= 2 * size);
    std::vector<std::string> fields;
    branding::SplitFields('|', text, &fields);
}

void CheckProgramImage(const std::uint8_t* data, std::size_t size)
{
    FillScratch(data, size);
    const platform::ReadOnlyFile file(ScratchFile());
    const std::int64_t end = platform::ProgramImageSize(file);
    Require(end == 0 || (end >= 64 && end <= static_cast<std::int64_t>(size)));
    // The search from the image's end sees what a search of the bytes from a marker's length
    // before it sees (the longer marker of "JPG2" is nine bytes).
    const std::size_t from = end > 8 ? static_cast<std::size_t>(end) - 8 : 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + from, size - from);
    branding::SectionSpan inFile, inRest;
    const bool found = branding::FindSectionInFile(file, "JPG2", inFile, end);
    Require(found == branding::FindSection(rest, "JPG2", inRest));
    Require(!found || (inFile.offset == inRest.offset + from && inFile.size == inRest.size));
}

void CheckSplitFields(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::vector<std::string> fields;
    branding::SplitFields(static_cast<char>(data[0]), text, &fields);
    std::size_t total = 0;
    for (const std::string& field : fields)
        total += field.size();
    Require(fields.size() <= text.size() + 1);
    Require(total <= text.size());
}

void CheckRecipe(const std::uint8_t* data, std::size_t size)
{
    recipe::Recipe read;
    try {
        read = recipe::ParseRecipe(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const recipe::RecipeError&) {
        return;
    }
    const std::string canonical = recipe::WriteRecipe(read);
    Require(recipe::WriteRecipe(recipe::ParseRecipe(canonical)) == canonical);
    try {
        recipe::CheckRecipe(read);
    } catch (const recipe::RecipeError&) {
    }
}

} // namespace fuzzchecks
