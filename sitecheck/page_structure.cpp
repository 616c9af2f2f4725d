#include "sitecheck/page_structure.h"

#include <algorithm>
#include <cctype>
#include <gumbo.h>
#include <memory>

#include "sitecheck/markup_scan.h"

namespace sitecheck
{

namespace
{

ByteRange RangeOf(const GumboStringPiece& piece, unsigned offset)
{
    return {offset, offset + piece.length};
}

std::optional<ByteRange> TagRange(const GumboStringPiece& piece, unsigned offset)
{
    if (piece.length == 0)
        return std::nullopt;
    return RangeOf(piece, offset);
}

TagAttribute AttributeOf(const GumboAttribute& a)
{
    TagAttribute out;
    out.name = LowerCase(std::string_view(a.original_name.data, a.original_name.length));
    // An attribute written without a value has no value position to trust.
    const std::size_t valueBegin =
        a.original_value.length > 0 ? a.value_start.offset : a.name_end.offset;
    std::size_t valueEnd = valueBegin + a.original_value.length;
    out.whole = {a.name_start.offset, std::max<std::size_t>(a.name_end.offset, valueEnd)};
    out.value = {valueBegin, valueEnd};
    const char first = a.original_value.length > 0 ? a.original_value.data[0] : '\0';
    if ((first == '"' || first == '\'') && a.original_value.length >= 2)
        out.value = {valueBegin + 1, valueEnd - 1};
    return out;
}

// Sorts the ranges and joins those that overlap, so a lookup needs to look at one only.
void SortRanges(std::vector<ByteRange>& ranges)
{
    std::sort(ranges.begin(), ranges.end(),
              [](const ByteRange& a, const ByteRange& b) { return a.begin < b.begin; });
    std::size_t kept = 0;
    for (const ByteRange& r : ranges) {
        if (kept > 0 && r.begin < ranges[kept - 1].end)
            ranges[kept - 1].end = std::max(ranges[kept - 1].end, r.end);
        else
            ranges[kept++] = r;
    }
    ranges.resize(kept);
}

// Code inside <noscript> runs only where scripts do not, and a template's content not at all
// until a script copies it: neither is code the page runs.
bool HoldsInertCode(const GumboNode* node)
{
    return node->type == GUMBO_NODE_TEMPLATE ||
           (node->type == GUMBO_NODE_ELEMENT && node->v.element.tag == GUMBO_TAG_NOSCRIPT);
}

// Bounds past which a page is not given to the parser.
constexpr std::size_t kDeepestParsed = 256;
constexpr std::size_t kNodesParsedFloor = 50000;

struct OutputDeleter {
    void operator()(GumboOutput* output) const
    {
        gumbo_destroy_output(&kGumboDefaultOptions, output);
    }
};

} // namespace

bool InRanges(const std::vector<ByteRange>& ranges, std::size_t offset)
{
    auto after = std::upper_bound(ranges.begin(), ranges.end(), offset,
                                  [](std::size_t o, const ByteRange& r) { return o < r.begin; });
    return after != ranges.begin() && offset < std::prev(after)->end;
}

PageStructure::PageStructure(std::string_view page)
{
    MarkupScan scan = ScanMarkup(page);
    // The parser's cost grows with the nesting times the tags (it searches its stack of open
    // elements at each), and its memory is some hundreds of bytes a node, more where it copies
    // open formatting elements: past these bounds the page is read from the scan, which costs
    // one pass whatever the page holds.
    const std::size_t nodes = scan.nodes * (1 + scan.formatting);
    if (scan.deepest > kDeepestParsed || nodes > kNodesParsedFloor + page.size() / 128) {
        shallow_ = true;
        dead_ = std::move(scan.dead);
        comments_ = std::move(scan.comments);
        headStart_ = scan.headStart;
        headEnd_ = scan.headEnd;
        bodyStart_ = scan.bodyStart;
        bodyAttributes_ = std::move(scan.bodyAttributes);
        return;
    }
    Parse(page);
}

void PageStructure::Parse(std::string_view page)
{
    GumboOptions options = kGumboDefaultOptions;
    // A page full of faults must not fill memory with their descriptions.
    options.max_errors = 0;
    const std::unique_ptr<GumboOutput, OutputDeleter> output(
        gumbo_parse_with_options(&options, page.data(), page.size()));
    // A work list instead of recursion: a page nested a million tags deep must not end the
    // program on its stack.
    std::vector<std::pair<const GumboNode*, bool>> work{{output->document, false}};
    while (!work.empty()) {
        const auto [node, inert] = work.back();
        work.pop_back();
        Record(node, inert);
        if (node->type == GUMBO_NODE_DOCUMENT || node->type == GUMBO_NODE_ELEMENT ||
            node->type == GUMBO_NODE_TEMPLATE) {
            const GumboVector& children = node->type == GUMBO_NODE_DOCUMENT
                                              ? node->v.document.children
                                              : node->v.element.children;
            const bool inertChildren = inert || HoldsInertCode(node);
            for (unsigned i = 0; i < children.length; ++i)
                work.emplace_back(static_cast<const GumboNode*>(children.data[i]), inertChildren);
        }
    }
    SortRanges(dead_);
    SortRanges(comments_);
}

void PageStructure::Record(const void* opaque, bool inert)
{
    const auto* node = static_cast<const GumboNode*>(opaque);
    if (inert && (node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE)) {
        const GumboElement& e = node->v.element;
        if (e.original_tag.length > 0)
            dead_.push_back(RangeOf(e.original_tag, e.start_pos.offset));
        if (e.original_end_tag.length > 0)
            dead_.push_back(RangeOf(e.original_end_tag, e.end_pos.offset));
        return;
    }
    switch (node->type) {
    case GUMBO_NODE_COMMENT:
        comments_.push_back(RangeOf(node->v.text.original_text, node->v.text.start_pos.offset));
        dead_.push_back(comments_.back());
        return;
    case GUMBO_NODE_TEXT:
    case GUMBO_NODE_CDATA: {
        // Blank text is left out: its span also covers tags the parser dropped (a stray
        // <HEAD> in the body), which still stand in the page as written.
        // A style sheet applies as a script runs: both are live code.
        const GumboNode* parent = node->parent;
        const bool code =
            parent && parent->type == GUMBO_NODE_ELEMENT &&
            (parent->v.element.tag == GUMBO_TAG_SCRIPT || parent->v.element.tag == GUMBO_TAG_STYLE);
        if (!code || inert)
            dead_.push_back(RangeOf(node->v.text.original_text, node->v.text.start_pos.offset));
        return;
    }
    case GUMBO_NODE_ELEMENT: {
        const GumboElement& e = node->v.element;
        if (e.tag == GUMBO_TAG_HEAD) {
            headStart_ = TagRange(e.original_tag, e.start_pos.offset);
            headEnd_ = TagRange(e.original_end_tag, e.end_pos.offset);
        } else if (e.tag == GUMBO_TAG_BODY && e.original_tag.length > 0) {
            bodyStart_ = TagRange(e.original_tag, e.start_pos.offset);
            for (unsigned i = 0; i < e.attributes.length; ++i) {
                const auto* a = static_cast<const GumboAttribute*>(e.attributes.data[i]);
                // A second BODY tag's attributes join the first; they are not in its text.
                if (a->name_start.offset >= bodyStart_->begin &&
                    a->name_start.offset < bodyStart_->end) {
                    const TagAttribute attribute = AttributeOf(*a);
                    if (attribute.whole.end <= bodyStart_->end)
                        bodyAttributes_.push_back(attribute);
                }
            }
        }
        return;
    }
    default:
        return;
    }
}

bool PageStructure::IsLive(std::size_t offset) const
{
    return !InRanges(dead_, offset);
}

bool PageStructure::InComment(std::size_t offset) const
{
    return InRanges(comments_, offset);
}

bool PageStructure::CommentStartsAt(std::size_t offset) const
{
    auto it = std::lower_bound(comments_.begin(), comments_.end(), offset,
                               [](const ByteRange& r, std::size_t o) { return r.begin < o; });
    return it != comments_.end() && it->begin == offset;
}

std::string LowerCase(std::string_view text)
{
    // ASCII only, whatever locale the program runs in: markup names are ASCII, and other
    // bytes (parts of UTF-8 characters) must come through as they are.
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

} // namespace sitecheck
