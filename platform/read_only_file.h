#pragma once

#include <cstdint>
#include <string>

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
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // The size the file had when it was opened.
    std::int64_t Size() const { return size_; }

    // `count` bytes from `offset`. Every byte asked for must arrive: a file that ends early
    // throws std::runtime_error, never silently gives less.
    std::string ReadAt(std::int64_t offset, std::size_t count) const;

    // The whole file, Size() bytes.
    std::string ReadAll() const;

private:
    [[noreturn]] void Fail(const char* what, const char* call) const;
    [[noreturn]] void Refuse(unsigned mode) const;

    std::string path_;
    int fd_ = -1;
    std::int64_t size_ = 0;
};

} // namespace platform
