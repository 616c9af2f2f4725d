#include "platform/text_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace platform
{

namespace
{

[[noreturn]] void ThrowCannotCreate(const std::string& path, int error)
{
    throw std::runtime_error("Cannot create file \"" + path + "\". " + std::strerror(error));
}

} // namespace

void WriteFileReplacing(const std::string& path, std::string_view bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        ThrowCannotCreate(path, errno);
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
    const int writeError = written == bytes.size() ? 0 : (errno ? errno : EIO);
    const bool closed = std::fclose(file) == 0;
    if (writeError)
        ThrowCannotCreate(path, writeError);
    if (!closed)
        ThrowCannotCreate(path, errno);
}

} // namespace platform
