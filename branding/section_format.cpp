#include "branding/section_format.h"

#include <cstdint>
#include <unordered_map>

#include "branding/name_index.h"

namespace branding
{

namespace
{

constexpr unsigned char kScrambleKey = 0x5C;

// The prefixes are kept in lower case and only upper-cased at run time, so no complete marker
// ever stands in the program image where a search could stop before the appended data.
constexpr std::string_view kStartPrefix = "so!#";
constexpr std::string_view kEndPrefix = "eo!#";

// Joining through a volatile read keeps the optimiser from folding the upper-cased prefix into
// a constant, which would put the marker bytes into the program after all.
std::string Joined(std::string_view prefix, std::string_view name)
{
    std::string text;
    text.reserve(prefix.size() + name.size() + 1);
    for (char c : prefix) {
        volatile char copy = c;
        text.push_back(copy);
    }
    text.append(name);
    return text;
}

// Calls at(offset, rest) for every occurrence of `prefix` in `image`, with the bytes behind it.
template <class At> void ForEachOccurrence(std::string_view image, std::string_view prefix, At at)
{
    for (std::size_t i = image.find(prefix); i != std::string_view::npos;
         i = image.find(prefix, i + 1))
        at(i, image.substr(i + prefix.size()));
}

} // namespace

std::string AsciiUpper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

std::string SectionStartMarker(std::string_view name)
{
    return AsciiUpper(Joined(kStartPrefix, name) + kStartMarkerEnd);
}

std::string SectionEndMarker(std::string_view name)
{
    return AsciiUpper(Joined(kEndPrefix, name));
}

bool FindSection(std::string_view image, std::string_view name, SectionSpan& span)
{
    const std::string start = SectionStartMarker(name);
    const std::size_t startAt = image.find(start);
    if (startAt == std::string_view::npos)
        return false;
    const std::size_t dataAt = startAt + start.size();
    // Searching from the first byte, not from the data, keeps an end marker that precedes the
    // data (an earlier section with a longer name, say) from being skipped over.
    const std::size_t endAt = image.find(SectionEndMarker(name));
    if (endAt == std::string_view::npos || endAt <= dataAt)
        return false;
    span = SectionSpan{dataAt, endAt - dataAt};
    return true;
}

std::vector<std::size_t> FirstEndMarkers(std::string_view image,
                                         const std::vector<std::string_view>& names)
{
    const NameIndex index(names);
    std::vector<std::size_t> ends(names.size(), std::string_view::npos);
    // A name found earlier was found together with every shorter name it begins with, so the
    // walk down the prefixes ends at the first one found before.
    ForEachOccurrence(image, SectionEndMarker(""), [&](std::size_t at, std::string_view rest) {
        index.Match(rest, [&](std::uint32_t n) {
            if (ends[n] != std::string_view::npos)
                return false;
            ends[n] = at;
            return true;
        });
    });
    return ends;
}

std::vector<std::optional<SectionSpan>> FindSections(std::string_view image,
                                                     const std::vector<std::string>& names)
{
    return FindSections(image, std::vector<std::string_view>(names.begin(), names.end()));
}

std::vector<std::string_view> UpperCasedKeys(const std::vector<std::string_view>& names,
                                             std::string& storage)
{
    storage.clear();
    for (std::string_view name : names)
        storage += AsciiUpper(name);
    std::vector<std::string_view> keys;
    keys.reserve(names.size());
    for (std::size_t at = 0; std::string_view name : names) {
        keys.push_back(std::string_view(storage).substr(at, name.size()));
        at += name.size();
    }
    return keys;
}

namespace
{

// FindSections for upper-cased keys that all differ.
std::vector<std::optional<SectionSpan>> DistinctSpans(std::string_view image,
                                                      const std::vector<std::string_view>& keys)
{
    const NameIndex index(keys);
    constexpr std::size_t npos = std::string_view::npos;
    std::vector<std::size_t> starts(keys.size(), npos);
    ForEachOccurrence(image, SectionStartMarker("").substr(0, 4),
                      [&](std::size_t at, std::string_view rest) {
                          index.Match(rest, [&](std::uint32_t n) {
                              if (starts[n] == npos && rest.size() > keys[n].size() &&
                                  rest[keys[n].size()] == kStartMarkerEnd)
                                  starts[n] = at;
                              return true;
                          });
                      });
    const std::vector<std::size_t> ends = FirstEndMarkers(image, keys);
    std::vector<std::optional<SectionSpan>> spans(keys.size());
    for (std::size_t n = 0; n < keys.size(); ++n) {
        if (starts[n] == npos)
            continue;
        const std::size_t dataAt = starts[n] + 4 + keys[n].size() + 1;
        if (ends[n] != npos && ends[n] > dataAt)
            spans[n] = SectionSpan{dataAt, ends[n] - dataAt};
    }
    return spans;
}

} // namespace

std::vector<std::optional<SectionSpan>> FindSections(std::string_view image,
                                                     const std::vector<std::string_view>& names)
{
    std::string upper;
    const std::vector<std::string_view> keys = UpperCasedKeys(names, upper);
    // Names that differ only in letter case share one key, looked for once: the index walks
    // every equal name at each marker, which would cost the number of names each time.
    std::vector<std::string_view> distinct;
    std::vector<std::uint32_t> keyOf(keys.size());
    std::unordered_map<std::string_view, std::uint32_t> seen;
    for (std::size_t n = 0; n < keys.size(); ++n) {
        const auto [it, added] =
            seen.try_emplace(keys[n], static_cast<std::uint32_t>(distinct.size()));
        if (added)
            distinct.push_back(keys[n]);
        keyOf[n] = it->second;
    }
    const std::vector<std::optional<SectionSpan>> spans = DistinctSpans(image, distinct);
    std::vector<std::optional<SectionSpan>> out(keys.size());
    for (std::size_t n = 0; n < keys.size(); ++n)
        out[n] = spans[keyOf[n]];
    return out;
}

std::string ExtractSectionFrom(std::string_view image, std::string_view name)
{
    SectionSpan span;
    if (!FindSection(image, name, span))
        return {};
    return std::string(image.substr(span.offset, span.size));
}

std::string DescrambleText(std::string_view text)
{
    std::string out(text);
    DescrambleInPlace(out);
    return out;
}

void DescrambleInPlace(std::string& text)
{
    for (char& c : text)
        c = static_cast<char>(static_cast<unsigned char>(c) ^ kScrambleKey);
}

} // namespace branding
