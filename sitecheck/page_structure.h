#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sitecheck
{

// A byte range [begin, end) of a page.
struct ByteRange {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// One attribute of a tag as it stands in the page.
struct TagAttribute {
    std::string name; // lower case
    ByteRange whole;  // from the name to the end of the value, quotes included
    ByteRange value;  // the value as written, without its quotes
};

// What an HTML5 parser makes of a page, kept as byte offsets into it: which bytes are live
// markup or script and which are comments or text the page merely shows (code inside
// <noscript> and <template> included, as it does not run), and where the HEAD and BODY tags
// stand. A page too deep or too large for the parser is read by a linear scan instead. The page
// must outlive nothing: offsets are all that is kept.
class PageStructure
{
public:
    explicit PageStructure(std::string_view page);

    // False when the byte lies in a comment or in text shown or held as data (a paragraph,
    // <pre>, <textarea>, <title>); true for tags, script code and style sheets.
    bool IsLive(std::size_t offset) const;
    // True when the byte lies in a comment.
    bool InComment(std::size_t offset) const;
    // True when a comment starts at the byte.
    bool CommentStartsAt(std::size_t offset) const;

    // The tags as written in the page; nothing when the parser had to imply them.
    std::optional<ByteRange> HeadStartTag() const { return headStart_; }
    std::optional<ByteRange> HeadEndTag() const { return headEnd_; }
    std::optional<ByteRange> BodyStartTag() const { return bodyStart_; }
    // The attributes written in the BODY start tag.
    const std::vector<TagAttribute>& BodyAttributes() const { return bodyAttributes_; }
    // True when the page was nested too deep or held too many tags for the full parse, and
    // was read by a scan of its tags as written instead.
    bool Shallow() const { return shallow_; }

private:
    void Parse(std::string_view page);
    void Record(const void* node, bool inert);

    std::vector<ByteRange> dead_;     // sorted, not overlapping
    std::vector<ByteRange> comments_; // sorted
    std::optional<ByteRange> headStart_, headEnd_, bodyStart_;
    std::vector<TagAttribute> bodyAttributes_;
    bool shallow_ = false;
};

// Whether `offset` lies in one of the sorted, non-overlapping `ranges`.
bool InRanges(const std::vector<ByteRange>& ranges, std::size_t offset);

// The text with the ASCII capitals A to Z made small; every other byte as it is.
std::string LowerCase(std::string_view text);

} // namespace sitecheck
