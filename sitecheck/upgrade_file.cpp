#include "sitecheck/upgrade_file.h"

#include <stdexcept>

#include "platform/file_system.h"
#include "platform/staged_file.h"

namespace sitecheck
{

void WriteUpgradedPage(const std::string& path, std::string_view before, std::string_view after,
                       bool backup)
{
    if (backup) {
        const std::string orig = path + ".orig";
        if (platform::FileExists(orig))
            throw std::runtime_error(path + ": not upgraded: " + orig +
                                     " is already there, and would be lost");
        platform::ReplaceFile(orig, before, platform::NewFileMode::Data);
    }
    platform::ReplaceFile(path, after, platform::NewFileMode::Data);
}

} // namespace sitecheck
