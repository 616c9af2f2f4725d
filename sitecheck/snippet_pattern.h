#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "generators/edition.h"
#include "generators/gadget_table.h"
#include "sitecheck/value_reader.h"

namespace sitecheck
{

class PageStructure;

// Where a piece of a snippet goes in a page.
enum class Place { Head, BodyTag, Body };

// A piece of one line: literal text (matched in any letter case) or a field's text.
struct LinePart {
    std::string literal;
    int field = -1; // index into the gadget's fields; -1 for a literal
    Splice splice = Splice::Verbatim;
};

// One line of a snippet without the blanks around it.
struct LinePattern {
    std::vector<LinePart> parts;
};

struct AttributePattern {
    std::string name; // lower case
    LinePattern value;
};

// The lines of a snippet that go to one place, in order; blank lines and the instructions'
// comments are left out, as pages often drop them. A BODY-tag piece has attributes instead.
struct PiecePattern {
    Place place = Place::Body;
    std::vector<LinePattern> lines;
    std::vector<AttributePattern> attributes;
};

// What a gadget's edition looks like in a page, derived from its generator: the generator is
// run with marker values, and where the markers land (and how a probe value comes out escaped)
// says which parts of each line are fixed and which carry a field.
class SnippetPattern
{
public:
    // Per field, the choice a pattern stands for, or nothing for a field read back from the
    // page; empty when no field is pinned.
    using Pins = std::vector<std::optional<std::string>>;

    SnippetPattern(const gen::GadgetEntry& gadget, gen::Edition edition, Pins pins = {});

    const gen::GadgetEntry& Gadget() const { return *gadget_; }
    gen::Edition Edition() const { return edition_; }
    const std::vector<PiecePattern>& Pieces() const { return pieces_; }
    // The longest fixed text of each piece, in lower case; a page holding none of them holds
    // no such snippet.
    const std::vector<std::string>& Markers() const { return markers_; }
    // What a finding holds before the page gives its fields: the defaults, and the pinned
    // choices.
    const gen::FieldValues& Start() const { return start_; }

    // Where a field lands in a generated line.
    struct Slot;

private:
    gen::FieldValues MarkerValues();
    void Derive(const gen::FieldValues& base);
    void ClassifySplices(std::string_view line, std::size_t k, std::vector<Slot>& slots,
                         const std::vector<std::optional<std::vector<std::string>>>& probes);
    void BuildPieces(const std::vector<std::string>& lines,
                     const std::vector<std::vector<Slot>>& slots);
    void AddBodyTag(std::string_view line, std::size_t begin, const PageStructure& s,
                    const std::vector<Slot>& slots);
    void CollectMarkers();

    const gen::GadgetEntry* gadget_;
    gen::Edition edition_;
    Pins pins_;
    gen::FieldValues start_;
    std::vector<std::vector<std::string>> candidates_; // per field: two values it takes
    std::vector<PiecePattern> pieces_;
    std::vector<std::string> markers_;
};

// A choice field's list, one choice per item.
std::vector<std::string> Choices(std::string_view list);

// Matches `text` (one line, blanks around it removed) against the pattern; on success returns
// the spliced text of each field part, in order.
std::optional<std::vector<std::string>> MatchLine(const LinePattern& pattern,
                                                  std::string_view text);

// `text` without blanks (spaces, tabs, CR) at either end.
std::string_view TrimBlanks(std::string_view text);

} // namespace sitecheck
