#include "tools/brand_output.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "platform/staged_file.h"

namespace tools
{

void WriteOutputFile(const std::string& path, std::string_view bytes)
{
    const std::string staged = platform::StageFile(path, bytes);
    if (!platform::CommitStagedFile(staged, path)) {
        const int error = errno;
        platform::DiscardStagedFile(staged);
        throw std::runtime_error("Cannot create file \"" + path + "\". " + std::strerror(error));
    }
}

} // namespace tools
