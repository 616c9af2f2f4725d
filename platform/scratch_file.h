#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform
{

// Bytes kept outside the process's memory, in an anonymous file that goes with the object:
// appended once, then read back as often as needed, so a long list costs the process no memory
// of its own.
class ScratchFile
{
public:
    // Throws std::runtime_error when no such file can be made.
    ScratchFile();
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // Throws std::runtime_error with the reason when the bytes cannot all be written.
    void Append(std::string_view bytes);
    std::uint64_t Size() const { return size_; }
    // Up to `count` bytes from `offset`; fewer only at the end.
    std::string ReadAt(std::uint64_t offset, std::size_t count) const;

private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

} // namespace platform
