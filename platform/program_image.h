#pragma once

#include <cstdint>

namespace platform
{

class ReadOnlyFile;

// How many bytes at the start of `file` the linker wrote: the ELF header, every segment and
// section, and both header tables, as far as the last of them reaches. Data appended to a built
// program lies behind them. 0 when the file is not an ELF file of this machine's kind, or when
// its headers are truncated, name more than the file holds or use extended numbering: the caller
// then knows of no program image and must treat every byte as possibly appended. Errors of
// reading propagate.
std::int64_t ProgramImageSize(const ReadOnlyFile& file);

} // namespace platform
