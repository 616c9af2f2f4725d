#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

#include "branding/section_format.h"

namespace platform
{
class ReadOnlyFile;
}

namespace branding
{

// The stored (still scrambled) bytes of section `name` of the running executable, or an empty
// string when the section is missing, empty or unreadable. Loads ExeImage first when it is
// empty; errors of that load propagate.
std::string ExtractSection(std::string_view name);

// FindSection over the file `file` without holding it: it is read in pieces of 1 MB, and only
// as far as needed to know where the section lies. Errors of reading propagate. Bytes before
// `from` are taken to hold no marker and are not read, but for the marker's length less one
// before it: a marker that ends behind `from` is found. The result equals FindSection's over
// the whole file whenever no marker of `name` begins before that.
bool FindSectionInFile(const platform::ReadOnlyFile& file, std::string_view name, SectionSpan& span,
                       std::int64_t from = 0);

// Puts `text` into `stream` from position 0 and leaves both positions at 0. The stream is not
// shortened: callers pass a new, empty stream.
void TextToStream(std::string_view text, std::iostream& stream);

// Reads the branding trailer of the file at `fileName` through its last four bytes, a signed
// little-endian length L that counts the text plus itself. Returns false with an empty `text`
// when no regular file of that name exists (a folder or FIFO is none) or L is greater than the
// file size; otherwise
// true with the L - 4 bytes before the length field, in the line form NormalizeLines gives (every
// line ends in CR LF, nothing from a first 0 byte on). Throws std::runtime_error when the file
// cannot be opened or read, when it is shorter than four bytes, or when L is below 4; `text` is
// then empty. Writes no file. A text longer than `limit` throws LimitExceeded naming the limit,
// with nothing read but the length field.
bool ReadTrailer(const std::string& fileName, std::string& text,
                 std::size_t limit = static_cast<std::size_t>(-1));

} // namespace branding
