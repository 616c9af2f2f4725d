#pragma once

#include <cstdint>
#include <string>

namespace platform
{

// The attribute word of a file, as the program reads and writes it. Only the read-only bit
// carries meaning here.
constexpr std::uint32_t kFileAttributeReadOnly = 0x1;
constexpr std::uint32_t kFileAttributeDirectory = 0x10;
constexpr std::uint32_t kInvalidFileAttributes = 0xFFFFFFFF;

// The attribute word of `path`, or kInvalidFileAttributes when the file cannot be examined.
// A file counts as read-only when its owner-write permission bit is clear or when the file
// system holding it is mounted read-only.
std::uint32_t FileGetAttr(const std::string& path);

// Sets the read-only state of `path` from the read-only bit of `attributes`: a set bit clears the
// owner-write permission bit, a clear bit sets it; no other permission bit changes. Returns false
// when the permission cannot be changed (for example on a read-only mount, where the file then
// stays read-only).
bool FileSetAttr(const std::string& path, std::uint32_t attributes);

} // namespace platform
