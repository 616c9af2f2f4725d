#include "platform/program_image.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <elf.h>
#include <string>
#include <utility>

#include "platform/read_only_file.h"

namespace platform
{

namespace
{

using Extent = std::uint64_t;

// Header fields come from a file that may be anything; a table is read only when it lies
// within the file, so no count or offset in it can make the read large or wrap around.
bool Within(Extent offset, Extent count, Extent entry, Extent fileSize, Extent& end)
{
    if (offset > fileSize || (entry != 0 && count > (fileSize - offset) / entry))
        return false;
    end = offset + count * entry;
    return true;
}

template <class Entry>
bool ReadTable(const ReadOnlyFile& file, Extent offset, Extent count, Extent entrySize,
               std::string& table, Extent& end)
{
    if (count != 0 && entrySize != sizeof(Entry))
        return false;
    if (!Within(offset, count, sizeof(Entry), static_cast<Extent>(file.Size()), end))
        return false;
    table = file.ReadAt(static_cast<std::int64_t>(offset), count * sizeof(Entry));
    return true;
}

template <class Entry> Entry EntryAt(const std::string& table, Extent index)
{
    Entry entry;
    std::memcpy(&entry, table.data() + index * sizeof(Entry), sizeof(Entry));
    return entry;
}

bool NativeElf(const Elf64_Ehdr& header)
{
    return std::memcmp(header.e_ident, ELFMAG, SELFMAG) == 0 &&
           header.e_ident[EI_CLASS] == ELFCLASS64 &&
           header.e_ident[EI_DATA] ==
               (std::endian::native == std::endian::little ? ELFDATA2LSB : ELFDATA2MSB);
}

// The furthest byte that a table's entries name, or false when one of them lies outside the file.
template <class Entry, class Span>
bool FurthestEntry(const std::string& table, Extent fileSize, Span span, Extent& end)
{
    for (Extent i = 0; i < table.size() / sizeof(Entry); ++i) {
        Extent entryEnd = 0;
        const auto [offset, size] = span(EntryAt<Entry>(table, i));
        if (!Within(offset, size, 1, fileSize, entryEnd))
            return false;
        end = std::max(end, entryEnd);
    }
    return true;
}

} // namespace

std::int64_t ProgramImageSize(const ReadOnlyFile& file)
{
    const auto fileSize = static_cast<Extent>(file.Size());
    if (fileSize < sizeof(Elf64_Ehdr))
        return 0;
    const std::string head = file.ReadAt(0, sizeof(Elf64_Ehdr));
    const auto header = EntryAt<Elf64_Ehdr>(head, 0);
    // With extended numbering the real section count hides in the first section header.
    if (!NativeElf(header) || (header.e_shnum == 0 && header.e_shoff != 0))
        return 0;
    std::string programs, sections;
    Extent end = sizeof(Elf64_Ehdr), programsEnd = 0, sectionsEnd = 0;
    if (!ReadTable<Elf64_Phdr>(file, header.e_phoff, header.e_phnum, header.e_phentsize, programs,
                               programsEnd) ||
        !ReadTable<Elf64_Shdr>(file, header.e_shoff, header.e_shnum, header.e_shentsize, sections,
                               sectionsEnd))
        return 0;
    end = std::max({end, programsEnd, sectionsEnd});
    const bool inside =
        FurthestEntry<Elf64_Phdr>(
            programs, fileSize,
            [](const Elf64_Phdr& p) { return std::pair<Extent, Extent>(p.p_offset, p.p_filesz); },
            end) &&
        FurthestEntry<Elf64_Shdr>(
            sections, fileSize,
            [](const Elf64_Shdr& s) {
                // A section without file bytes names an offset but
                // occupies nothing there.
                return std::pair<Extent, Extent>(s.sh_offset,
                                                 s.sh_type == SHT_NOBITS ? 0 : s.sh_size);
            },
            end);
    return inside ? static_cast<std::int64_t>(end) : 0;
}

} // namespace platform
