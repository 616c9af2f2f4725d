#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace branding
{

// The byte that closes a start marker (the pilcrow of the Western code page, one byte).
inline constexpr char kStartMarkerEnd = '\xB6';

// ASCII upper case: only a to z change.
std::string AsciiUpper(std::string_view text);

// The names upper-cased, one behind the other in `storage`, and a view of each into it: a file
// of many names costs one allocation, not one per name. The views live as long as `storage`.
std::vector<std::string_view> UpperCasedKeys(const std::vector<std::string_view>& names,
                                             std::string& storage);

// "SO!#" + upper-cased name + the 0xB6 byte, built at run time.
std::string SectionStartMarker(std::string_view name);

// "EO!#" + upper-cased name, built at run time.
std::string SectionEndMarker(std::string_view name);

// Where a section's stored bytes lie inside an image.
struct SectionSpan {
    std::size_t offset = 0;
    std::size_t size = 0;
};

// Locates section `name` (any letter case) through the first occurrence of its start marker and
// the first occurrence of its end marker, both searched from the image's first byte. Returns
// false when the start marker is missing, the end marker is missing, or the end marker's first
// occurrence does not lie behind the data start (no bytes to give).
bool FindSection(std::string_view image, std::string_view name, SectionSpan& span);

// FindSection for many names at once, in time linear in the size of the image (times the
// longest name and the logarithm of the number of names), whatever it holds, and memory linear
// in the names' total length. Element i is the span of names[i], or nothing where FindSection
// would return false.
std::vector<std::optional<SectionSpan>> FindSections(std::string_view image,
                                                     const std::vector<std::string>& names);
std::vector<std::optional<SectionSpan>> FindSections(std::string_view image,
                                                     const std::vector<std::string_view>& names);

// Where "EO!#" + names[i] (byte for byte, not upper-cased) first occurs in `image`, or npos,
// in the time and memory FindSections takes.
std::vector<std::size_t> FirstEndMarkers(std::string_view image,
                                         const std::vector<std::string_view>& names);

// The stored (still scrambled) bytes of section `name` in `image`, or an empty string.
std::string ExtractSectionFrom(std::string_view image, std::string_view name);

// A copy of `text` with every byte XORed with 0x5C; applying it twice gives `text` back, so the
// same function scrambles.
std::string DescrambleText(std::string_view text);

// DescrambleText without the copy.
void DescrambleInPlace(std::string& text);

} // namespace branding
