#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "generators/code_buffer.h"
#include "generators/edition.h"
#include "generators/gadget_table.h"

namespace gen
{

// What a stamp line says about the snippet below it.
struct Stamp {
    std::string gadget; // the gadget's id
    Edition edition = Edition::Classic;
    std::vector<std::pair<std::string, std::string>> values; // option and value, in stamp order
    std::size_t lineCount = 0;                               // lines of the snippet below
    std::uint64_t sum = 0;                                   // SnippetSum of those lines
};

// Every stamp line starts with this.
inline constexpr std::string_view kStampStart = "<!-- sitewright:";

// A sum over the snippet's lines that ignores blanks at either end of a line (and so CR LF or
// LF ends and re-indenting), but no other change.
std::uint64_t SnippetSum(const std::vector<std::string_view>& lines);

// The one markup comment describing `code`, the gadget's `edition` made from `values` (in the
// order of the gadget's fields). Values are kept whole whatever they hold; the line is ASCII
// and holds no "--" between its "<!--" and "-->".
std::string StampLine(const GadgetEntry& gadget, const FieldValues& values, Edition edition,
                      const CodeBuffer& code);

// GenerateEdition with its stamp line first. Throws what GenerateEdition throws.
CodeBuffer StampedEdition(const GadgetEntry& gadget, const FieldValues& values, Edition edition);

// The stamp in `line` (blanks and a CR around it are allowed), or nothing when the line is no
// well-formed stamp of this format.
std::optional<Stamp> ReadStamp(std::string_view line);

// The stamp's values in the order of the gadget's fields; a field the stamp does not name gets
// its default. Nothing when the stamp names an unknown gadget.
std::optional<FieldValues> StampedValues(const Stamp& stamp);

} // namespace gen
