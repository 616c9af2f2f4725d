#include "tests/support/file_bytes.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/stat.h>

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, std::string_view bytes, std::optional<unsigned> mode)
{
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush())
            throw std::runtime_error("Cannot write the test file \"" + path + "\".");
    }
    if (mode && chmod(path.c_str(), static_cast<mode_t>(*mode)) != 0)
        throw std::runtime_error("Cannot set the permissions of \"" + path + "\".");
}
