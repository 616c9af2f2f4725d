#include "branding/brand_writer.h"

#include <cstdint>
#include <limits>

#include "branding/trailer_text.h"
#include "platform/quoted_name.h"

namespace branding
{

namespace
{

// Longest name a listing looks for between a start prefix and its closing 0xB6 byte.
constexpr std::size_t kMaxListedName = 64;

bool IsPrintableName(std::string_view name)
{
    if (name.empty())
        return false;
    for (char c : name) {
        if (c <= ' ' || c > '~')
            return false;
    }
    return true;
}

std::string Quoted(std::string_view name)
{
    return platform::QuotedName(name);
}

void RefuseUnsafeSection(std::string_view image, std::string_view name, std::string_view stored)
{
    if (!IsPrintableName(name))
        throw BrandRefusal("A section name must be printable ASCII characters without blanks; " +
                           Quoted(name) + " is not.");
    const std::string start = SectionStartMarker(name);
    const std::string end = SectionEndMarker(name);
    if (image.find(start) != std::string_view::npos || image.find(end) != std::string_view::npos)
        throw BrandRefusal("The markers of section " + Quoted(AsciiUpper(name)) +
                           " already occur in the file, so the section could not be read.");
    if (stored.find(end) != std::string_view::npos)
        throw BrandRefusal("The scrambled bytes of section " + Quoted(AsciiUpper(name)) +
                           " contain its own end marker, so the section would be cut short.");
}

void WriteLittleEndian32(std::string& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Whether a section still reads as it did. The old bytes stay where they were, so a span at
// the same place holds the same bytes; only a moved one needs comparing.
bool ReadsTheSame(std::string_view image, const SectionSpan& was, std::string_view result,
                  const std::optional<SectionSpan>& now)
{
    if (!now)
        return false;
    if (now->offset == was.offset && now->size == was.size)
        return true;
    return result.substr(now->offset, now->size) == image.substr(was.offset, was.size);
}

} // namespace

void AppendSection(std::string& image, std::string_view name, std::string_view plain)
{
    const std::string stored = DescrambleText(plain);
    RefuseUnsafeSection(image, name, stored);
    const std::vector<SectionEntry> before = ListSections(image);
    std::string result = image;
    result += SectionStartMarker(name);
    result += stored;
    result += SectionEndMarker(name);
    // The rules above should be enough; checking the result itself also catches markers that
    // would only form across a boundary between old and new bytes.
    if (ExtractSectionFrom(result, name) != stored)
        throw BrandRefusal("Section " + Quoted(AsciiUpper(name)) + " would not read back.");
    std::vector<std::string> names;
    for (const SectionEntry& entry : before)
        names.push_back(entry.name);
    const auto after = FindSections(result, names);
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i].readable && !ReadsTheSame(image, before[i].span, result, after[i]))
            throw BrandRefusal("Section " + Quoted(AsciiUpper(name)) + " would spoil section " +
                               Quoted(before[i].name) + ".");
    }
    image = std::move(result);
}

void AppendTrailer(std::string& image, const std::vector<std::string>& fields)
{
    if (fields.empty())
        throw BrandRefusal("A trailer needs at least one field.");
    std::string text;
    for (const std::string& field : fields) {
        if (!text.empty())
            text += '|';
        try {
            text += QuoteField(field);
        } catch (const std::invalid_argument& error) {
            throw BrandRefusal(std::string(error.what()) + " Field: " + Quoted(field));
        }
    }
    text += "\r\n";
    if (text.size() > std::numeric_limits<std::int32_t>::max() - 4u)
        throw BrandRefusal("The trailer is too long for its length field.");
    image += text;
    WriteLittleEndian32(image, static_cast<std::uint32_t>(text.size() + 4));
}

std::vector<SectionEntry> ListSections(std::string_view image)
{
    const std::string prefix = SectionStartMarker("").substr(0, 4);
    std::vector<SectionEntry> entries;
    std::vector<std::string> names;
    for (std::size_t at = image.find(prefix); at != std::string_view::npos;
         at = image.find(prefix, at + 1)) {
        const std::size_t nameAt = at + prefix.size();
        // The closing byte is looked for only as far as a listed name may reach, so a file
        // full of prefixes without one costs no more than one pass.
        const std::size_t close =
            image.substr(0, nameAt + kMaxListedName + 1).find(kStartMarkerEnd, nameAt);
        if (close == std::string_view::npos)
            continue;
        SectionEntry entry;
        entry.name = std::string(image.substr(nameAt, close - nameAt));
        entry.markerOffset = at;
        names.push_back(entry.name);
        entries.push_back(std::move(entry));
    }
    const auto spans = FindSections(image, names);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!spans[i])
            continue;
        entries[i].span = *spans[i];
        entries[i].readable = spans[i]->offset ==
                              entries[i].markerOffset + prefix.size() + entries[i].name.size() + 1;
    }
    return entries;
}

} // namespace branding
