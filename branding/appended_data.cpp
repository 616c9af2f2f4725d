#include "branding/appended_data.h"

#include <algorithm>
#include <cstdint>
#include <istream>
#include <stdexcept>

#include "branding/section_format.h"
#include "branding/start_up_limits.h"
#include "branding/trailer_text.h"
#include "platform/exe_image.h"
#include "platform/file_system.h"
#include "platform/quoted_name.h"
#include "platform/read_only_file.h"

namespace branding
{

namespace
{

std::int32_t LittleEndian32(const std::string& bytes)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
    return static_cast<std::int32_t>(value);
}

} // namespace

std::string ExtractSection(std::string_view name)
{
    if (platform::ExeImage().empty())
        platform::LoadExeImage();
    return ExtractSectionFrom(platform::ExeImage(), name);
}

bool FindSectionInFile(const platform::ReadOnlyFile& file, std::string_view name, SectionSpan& span,
                       std::int64_t from)
{
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    constexpr std::size_t npos = std::string::npos;
    const std::string start = SectionStartMarker(name);
    const std::string end = SectionEndMarker(name);
    // Pieces overlap by a marker's length less one, so no marker is missed at a seam, and none
    // is found twice but where it was already looked for.
    const std::size_t overlap = std::max(start.size(), end.size()) - 1;
    std::string window;
    // A marker that begins just before `from` and ends behind it is still found.
    std::int64_t next =
        std::clamp<std::int64_t>(from - static_cast<std::int64_t>(overlap), 0, file.Size());
    std::size_t base = static_cast<std::size_t>(next), startAt = npos, endAt = npos;
    // Once the end marker is found, a start marker not yet found would lie behind it.
    while (next < file.Size() && endAt == npos) {
        if (window.size() > overlap) {
            base += window.size() - overlap;
            window.erase(0, window.size() - overlap);
        }
        const auto count = static_cast<std::size_t>(
            std::min<std::int64_t>(static_cast<std::int64_t>(kPiece), file.Size() - next));
        window += file.ReadAt(next, count);
        next += static_cast<std::int64_t>(count);
        if (startAt == npos && (startAt = window.find(start)) != npos)
            startAt += base;
        if ((endAt = window.find(end)) != npos)
            endAt += base;
    }
    if (startAt == npos || endAt == npos || endAt <= startAt + start.size())
        return false;
    span = SectionSpan{startAt + start.size(), endAt - startAt - start.size()};
    return true;
}

void TextToStream(std::string_view text, std::iostream& stream)
{
    stream.seekp(0);
    stream.write(text.data(), static_cast<std::streamsize>(text.size()));
    stream.seekp(0);
    stream.seekg(0);
}

bool ReadTrailer(const std::string& fileName, std::string& text, std::size_t limit)
{
    text.clear();
    if (!platform::FileExists(fileName))
        return false;
    const platform::ReadOnlyFile file(fileName);
    const std::int64_t size = file.Size();
    if (size < 4)
        throw std::runtime_error("The file " + platform::QuotedName(fileName) +
                                 " is too short to end in a trailer length.");
    const std::int32_t length = LittleEndian32(file.ReadAt(size - 4, 4));
    if (static_cast<std::int64_t>(length) > size)
        return false;
    if (length < 4)
        throw std::runtime_error("The trailer length of " + platform::QuotedName(fileName) +
                                 " reads " + std::to_string(length) +
                                 ", less than its own 4 bytes.");
    if (static_cast<std::size_t>(length - 4) > limit)
        throw LimitExceeded("The branding trailer holds " + std::to_string(length - 4) +
                            " bytes of text; at most " + std::to_string(limit) + " are read.");
    text = NormalizeLines(file.ReadAt(size - length, static_cast<std::size_t>(length - 4)));
    return true;
}

} // namespace branding
