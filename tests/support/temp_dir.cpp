#include "tests/support/temp_dir.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "tests/support/file_bytes.h"

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "swtest.XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("Cannot make a temporary folder from \"" + pattern + "\". " +
                                 std::strerror(errno));
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::File(const std::string& name) const
{
    return (path_ / name).string();
}

std::string TempDir::Write(const std::string& name, std::string_view bytes) const
{
    const std::string file = File(name);
    WriteBytes(file, bytes);
    return file;
}
