#include "branding/section_format.h"

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
    for (char& c : out)
        c = static_cast<char>(static_cast<unsigned char>(c) ^ kScrambleKey);
    return out;
}

} // namespace branding
