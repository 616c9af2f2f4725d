#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "branding/section_format.h"

namespace branding
{

// Why branding could not be appended; the message says what to change.
class BrandRefusal : public std::invalid_argument
{
public:
    using std::invalid_argument::invalid_argument;
};

// Appends section `name` (stored in upper case) holding `plain` scrambled to `image`. Refuses,
// leaving `image` unchanged, a name that is empty or not printable ASCII, a name whose start or
// end marker already occurs in `image`, scrambled bytes that contain the section's own end
// marker, and any section that would not read back exactly or would spoil an earlier one.
void AppendSection(std::string& image, std::string_view name, std::string_view plain);

// Appends a trailer holding `fields` quoted and separated by "|", then CR LF, then the length
// field. Refuses (leaving `image` unchanged) an empty field list and a field QuoteField rejects.
void AppendTrailer(std::string& image, const std::vector<std::string>& fields);

// A start marker found in an image, and whether a lookup of its name reaches the data behind it.
struct SectionEntry {
    std::string name;
    std::size_t markerOffset = 0;
    bool readable = false;
    SectionSpan span;
};

// Every start marker in `image` in file order, readable or not.
std::vector<SectionEntry> ListSections(std::string_view image);

// Calls visit(entry) for what ListSections would list, one entry at a time: memory grows with
// the distinct names in `image`, not with its markers, and time linearly with its size.
void ForEachSection(std::string_view image, const std::function<void(const SectionEntry&)>& visit);

// How many entries ListSections would list, without listing them.
std::size_t CountSections(std::string_view image);

} // namespace branding
