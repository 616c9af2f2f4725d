#include "branding/appended_data.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <istream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

#include "branding/section_format.h"
#include "branding/trailer_text.h"
#include "platform/exe_image.h"
#include "platform/file_system.h"

namespace branding
{

namespace
{

class ReadOnlyFile
{
public:
    explicit ReadOnlyFile(const std::string& path)
        : path_(path), fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC))
    {
        if (fd_ < 0)
            Fail("Cannot open");
    }
    ~ReadOnlyFile() { ::close(fd_); }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    std::int64_t Size() const
    {
        struct stat info {
        };
        if (::fstat(fd_, &info) != 0)
            Fail("Cannot read");
        return info.st_size;
    }

    // Every byte asked for must arrive; a short file is an error, never silently less text.
    std::string ReadAt(std::int64_t offset, std::size_t count) const
    {
        std::string bytes(count, '\0');
        std::size_t done = 0;
        while (done < count) {
            const ssize_t n = ::pread(fd_, bytes.data() + done, count - done,
                                      static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                Fail("Cannot read");
            if (n == 0)
                throw std::runtime_error("The file \"" + path_ + "\" ended early.");
            done += static_cast<std::size_t>(n);
        }
        return bytes;
    }

private:
    [[noreturn]] void Fail(const char* what) const
    {
        const int error = errno;
        throw std::runtime_error(std::string(what) + " file \"" + path_ + "\". " +
                                 std::strerror(error));
    }

    std::string path_;
    int fd_;
};

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
    const ReadOnlyFile file(fileName);
    const std::int64_t size = file.Size();
    if (size < 4)
        throw std::runtime_error("The file \"" + fileName +
                                 "\" is too short to end in a trailer length.");
    const std::int32_t length = LittleEndian32(file.ReadAt(size - 4, 4));
    if (static_cast<std::int64_t>(length) > size)
        return false;
    if (length < 4)
        throw std::runtime_error("The trailer length of \"" + fileName + "\" reads " +
                                 std::to_string(length) + ", less than its own 4 bytes.");
    text = NormalizeLines(file.ReadAt(size - length, static_cast<std::size_t>(length - 4)));
    return true;
}

} // namespace branding
