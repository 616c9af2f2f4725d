#pragma once

#include <cstdint>

namespace platform
{

class ReadOnlyFile;

// How many bytes at the start of `file` surely belong to what the linker wrote: as far as the
// further of its two header tables reaches, as its fixed-size ELF header gives them. Both tables
// are part of the program image and data appended to a built program lies behind the whole
// image, so a search for appended data may start here without missing any; the linker puts the
// section table last, so in practice nothing of the image is left to search. 0 when the file is
// not an ELF file of this machine's kind, or its header names tables beyond the file's end: the
// caller then knows of no program image and must treat every byte as possibly appended. Errors
// of reading propagate.
std::int64_t ProgramImageSize(const ReadOnlyFile& file);

} // namespace platform
