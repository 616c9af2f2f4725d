#pragma once

#include <cstdint>
#include <string>
#include <sys/stat.h>

namespace platform
{

// A regular file opened for reading. Opening never blocks: a FIFO or device is opened without
// waiting, seen for what it is and refused, like a folder or socket.
class ReadOnlyFile
{
public:
    // Throws std::runtime_error with
    //   Cannot open file "<path>". <the system's error text> (open)
    // or, for anything but a regular file,
    //   Cannot read file "<path>". It is <a folder, a FIFO, ...>, not a regular file.
    explicit ReadOnlyFile(const std::string& path);
    // Opens `name` in the folder open as `folder`, refusing a link there (never followed);
    // `path` names it in messages.
    ReadOnlyFile(int folder, const std::string& name, const std::string& path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // The size the file had when it was opened.
    std::int64_t Size() const { return size_; }
    // What the file was when it was opened: device, inode, size, times, mode, owner, links.
    const struct stat& Info() const { return info_; }

    // `count` bytes from `offset`. Every byte asked for must arrive: a file that ends early
    // throws std::runtime_error, never silently gives less.
    std::string ReadAt(std::int64_t offset, std::size_t count) const;

    // The whole file, Size() bytes.
    std::string ReadAll() const;

    // A copy of the file's Size() bytes that nothing else can change, as the first of many
    // passes over a file must see the bytes that the last one sees. It is kept outside the
    // process's memory (a sealed anonymous file), so a large file does not fill memory.
    ReadOnlyFile PrivateCopy() const;
    ReadOnlyFile(ReadOnlyFile&& other) noexcept;

private:
    ReadOnlyFile(int fd, const std::string& path, std::int64_t size);
    void Open(int folder, const char* name, int flags);
    [[noreturn]] void Fail(const char* what, const char* call) const;
    [[noreturn]] void Refuse(unsigned mode) const;

    std::string path_;
    int fd_ = -1;
    std::int64_t size_ = 0;
    struct stat info_ {
    };
};

} // namespace platform
