#include "platform/scratch_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <sys/mman.h>
#include <unistd.h>

namespace platform
{

namespace
{

[[noreturn]] void Fail(const char* what, const char* call)
{
    throw std::runtime_error(std::string(what) + ". " + std::strerror(errno) + " (" + call + ")");
}

} // namespace

ScratchFile::ScratchFile() : fd_(::memfd_create("sitewright-scratch", MFD_CLOEXEC))
{
    if (fd_ < 0)
        Fail("Cannot make a scratch file", "memfd_create");
}

ScratchFile::~ScratchFile()
{
    ::close(fd_);
}

void ScratchFile::Append(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd_, bytes.data(), bytes.size(), static_cast<off_t>(size_));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            Fail("Cannot write the scratch file", "pwrite");
        size_ += static_cast<std::uint64_t>(n);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

std::string ScratchFile::ReadAt(std::uint64_t offset, std::size_t count) const
{
    std::string out(static_cast<std::size_t>(
                        std::min<std::uint64_t>(count, offset < size_ ? size_ - offset : 0)),
                    '\0');
    for (std::size_t done = 0; done < out.size();) {
        const ssize_t n =
            ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            Fail("Cannot read the scratch file", "pread");
        done += static_cast<std::size_t>(n);
    }
    return out;
}

} // namespace platform
