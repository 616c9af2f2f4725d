#include "branding/appended_data.h"

#include <cstdint>
#include <istream>
#include <stdexcept>

#include "branding/section_format.h"
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

void TextToStream(std::string_view text, std::iostream& stream)
{
    stream.seekp(0);
    stream.write(text.data(), static_cast<std::streamsize>(text.size()));
    stream.seekp(0);
    stream.seekg(0);
}

bool ReadTrailer(const std::string& fileName, std::string& text)
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
    text = NormalizeLines(file.ReadAt(size - length, static_cast<std::size_t>(length - 4)));
    return true;
}

} // namespace branding
