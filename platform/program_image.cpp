#include "platform/program_image.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <elf.h>
#include <string>

#include "platform/read_only_file.h"

namespace platform
{

namespace
{

using Extent = std::uint64_t;

bool NativeElf(const Elf64_Ehdr& header)
{
    return std::memcmp(header.e_ident, ELFMAG, SELFMAG) == 0 &&
           header.e_ident[EI_CLASS] == ELFCLASS64 &&
           header.e_ident[EI_DATA] ==
               (std::endian::native == std::endian::little ? ELFDATA2LSB : ELFDATA2MSB);
}

// Where a table of `count` entries of `entrySize` bytes at `offset` ends, or 0 when it would
// end beyond `fileSize`. The fields come from a file that may be anything, so the sum is never
// formed where it could wrap around.
Extent TableEnd(Extent offset, Extent count, Extent entrySize, Extent fileSize)
{
    if (offset > fileSize || (entrySize != 0 && count > (fileSize - offset) / entrySize))
        return 0;
    return offset + count * entrySize;
}

} // namespace

std::int64_t ProgramImageSize(const ReadOnlyFile& file)
{
    const auto fileSize = static_cast<Extent>(file.Size());
    if (fileSize < sizeof(Elf64_Ehdr))
        return 0;
    Elf64_Ehdr header;
    std::memcpy(&header, file.ReadAt(0, sizeof header).data(), sizeof header);
    if (!NativeElf(header))
        return 0;
    const Extent programs = TableEnd(header.e_phoff, header.e_phnum, header.e_phentsize, fileSize);
    const Extent sections = TableEnd(header.e_shoff, header.e_shnum, header.e_shentsize, fileSize);
    if ((programs == 0 && header.e_phoff != 0) || (sections == 0 && header.e_shoff != 0))
        return 0;
    return static_cast<std::int64_t>(std::max({Extent{sizeof header}, programs, sections}));
}

} // namespace platform
