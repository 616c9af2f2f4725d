#include "branding/brand_writer.h"

#include <cstdint>
#include <limits>
#include <unordered_map>

#include "branding/trailer_text.h"
#include "platform/quoted_name.h"

namespace branding
{

namespace
{

// Longest name a listing looks for between a start prefix and its closing 0xB6 byte.
constexpr std::size_t kMaxListedName = 64;

constexpr std::size_t kPrefixSize = 4;

// Calls at(offset, name) for every start prefix in `image` with its closing byte close enough
// behind it, in file order.
template <class At> void ForEachMarker(std::string_view image, At at)
{
    const std::string prefix = SectionStartMarker("").substr(0, kPrefixSize);
    for (std::size_t found = image.find(prefix); found != std::string_view::npos;
         found = image.find(prefix, found + 1)) {
        const std::size_t nameAt = found + kPrefixSize;
        // The closing byte is looked for only as far as a listed name may reach, so a file
        // full of prefixes without one costs no more than one pass.
        const std::size_t close =
            image.substr(0, nameAt + kMaxListedName + 1).find(kStartMarkerEnd, nameAt);
        if (close != std::string_view::npos)
            at(found, image.substr(nameAt, close - nameAt));
    }
}

// The span a lookup of each listed name gives, from where the first marker of each name lies:
// a lookup upper-cases the name, so it starts at the first marker of the upper-cased name.
std::vector<std::optional<SectionSpan>>
SpansOf(std::string_view image, const std::vector<std::string_view>& names,
        const std::vector<std::size_t>& firstAt,
        const std::unordered_map<std::string_view, std::uint32_t>& index)
{
    std::string upper;
    const std::vector<std::string_view> keys = UpperCasedKeys(names, upper);
    const std::vector<std::size_t> ends = FirstEndMarkers(image, keys);
    std::vector<std::optional<SectionSpan>> spans(names.size());
    for (std::size_t n = 0; n < names.size(); ++n) {
        const auto start = index.find(keys[n]);
        if (start == index.end())
            continue;
        const std::size_t dataAt = firstAt[start->second] + kPrefixSize + keys[n].size() + 1;
        if (ends[n] != std::string_view::npos && ends[n] > dataAt)
            spans[n] = SectionSpan{dataAt, ends[n] - dataAt};
    }
    return spans;
}

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
    // Only a readable section can be spoilt, and each name is readable at one marker at most.
    std::vector<SectionEntry> before;
    ForEachSection(image, [&](const SectionEntry& entry) {
        if (entry.readable)
            before.push_back(entry);
    });
    std::string result = image;
    result += SectionStartMarker(name);
    result += stored;
    result += SectionEndMarker(name);
    // The rules above should be enough; checking the result itself also catches markers that
    // would only form across a boundary between old and new bytes.
    if (ExtractSectionFrom(result, name) != stored)
        throw BrandRefusal("Section " + Quoted(AsciiUpper(name)) + " would not read back.");
    std::vector<std::string_view> names;
    for (const SectionEntry& entry : before)
        names.push_back(entry.name);
    const auto after = FindSections(result, names);
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (!ReadsTheSame(image, before[i].span, result, after[i]))
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
    std::vector<SectionEntry> entries;
    ForEachSection(image, [&](const SectionEntry& entry) { entries.push_back(entry); });
    return entries;
}

std::size_t CountSections(std::string_view image)
{
    std::size_t count = 0;
    ForEachMarker(image, [&](std::size_t, std::string_view) { ++count; });
    return count;
}

void ForEachSection(std::string_view image, const std::function<void(const SectionEntry&)>& visit)
{
    // Two passes over the markers, keeping a number per marker instead of a list of entries: a
    // file can hold a million markers. A start marker's name holds no closing byte, so the
    // first marker with a name is where a lookup of that name starts.
    std::unordered_map<std::string_view, std::uint32_t> index;
    std::vector<std::string_view> names;
    std::vector<std::size_t> firstAt;
    std::vector<std::uint32_t> nameOf;
    ForEachMarker(image, [&](std::size_t at, std::string_view name) {
        const auto [it, added] = index.try_emplace(name, static_cast<std::uint32_t>(names.size()));
        if (added) {
            names.push_back(name);
            firstAt.push_back(at);
        }
        nameOf.push_back(it->second);
    });
    const std::vector<std::optional<SectionSpan>> spans = SpansOf(image, names, firstAt, index);
    SectionEntry entry;
    std::size_t marker = 0;
    ForEachMarker(image, [&](std::size_t at, std::string_view name) {
        const std::optional<SectionSpan>& span = spans[nameOf[marker++]];
        entry.name.assign(name);
        entry.markerOffset = at;
        entry.span = span.value_or(SectionSpan{});
        entry.readable = span && span->offset == at + kPrefixSize + name.size() + 1;
        visit(entry);
    });
}

} // namespace branding
