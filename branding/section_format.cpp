#include "branding/section_format.h"

#include <cstdint>
#include <unordered_map>

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

// Distinct names in a trie, so that one walk from a position finds every name that starts there.
class NameTrie
{
public:
    explicit NameTrie(const std::vector<std::string>& names) : ends_(1, kNone)
    {
        for (std::size_t i = 0; i < names.size(); ++i)
            Add(names[i], i);
    }

    // Calls found(i) for each name i that `text` begins with, shortest first.
    template <class Found> void Match(std::string_view text, Found found) const
    {
        std::uint32_t node = 0;
        if (ends_[node] != kNone)
            found(ends_[node]);
        for (char c : text) {
            const auto edge = edges_.find(Key(node, c));
            if (edge == edges_.end())
                return;
            node = edge->second;
            if (ends_[node] != kNone)
                found(ends_[node]);
        }
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    static std::uint64_t Key(std::uint32_t node, char c)
    {
        return (std::uint64_t{node} << 8) | static_cast<unsigned char>(c);
    }

    void Add(std::string_view name, std::size_t index)
    {
        std::uint32_t node = 0;
        for (char c : name) {
            const auto [edge, added] =
                edges_.try_emplace(Key(node, c), static_cast<std::uint32_t>(ends_.size()));
            if (added)
                ends_.push_back(kNone);
            node = edge->second;
        }
        ends_[node] = index;
    }

    std::unordered_map<std::uint64_t, std::uint32_t> edges_;
    std::vector<std::size_t> ends_;
};

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

std::vector<std::optional<SectionSpan>> FindSections(std::string_view image,
                                                     const std::vector<std::string>& names)
{
    // Each distinct upper-cased name once, so a file of many equal markers costs no more.
    std::unordered_map<std::string, std::size_t> index;
    std::vector<std::string> distinct;
    std::vector<std::size_t> of(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto [it, added] = index.try_emplace(AsciiUpper(names[i]), distinct.size());
        if (added)
            distinct.push_back(it->first);
        of[i] = it->second;
    }
    const NameTrie trie(distinct);
    constexpr std::size_t npos = std::string_view::npos;
    std::vector<std::size_t> starts(distinct.size(), npos), ends(distinct.size(), npos);
    ForEachOccurrence(image, SectionStartMarker("").substr(0, 4),
                      [&](std::size_t at, std::string_view rest) {
                          trie.Match(rest, [&](std::size_t n) {
                              if (starts[n] == npos && rest.size() > distinct[n].size() &&
                                  rest[distinct[n].size()] == kStartMarkerEnd)
                                  starts[n] = at;
                          });
                      });
    ForEachOccurrence(image, SectionEndMarker(""), [&](std::size_t at, std::string_view rest) {
        trie.Match(rest, [&](std::size_t n) {
            if (ends[n] == npos)
                ends[n] = at;
        });
    });
    std::vector<std::optional<SectionSpan>> spans(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::size_t n = of[i];
        if (starts[n] == npos)
            continue;
        const std::size_t dataAt = starts[n] + SectionStartMarker(distinct[n]).size();
        if (ends[n] != npos && ends[n] > dataAt)
            spans[i] = SectionSpan{dataAt, ends[n] - dataAt};
    }
    return spans;
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
