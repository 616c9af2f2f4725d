#include "sitecheck/upgrade_file.h"

#include <stdexcept>

#include "platform/page_file.h"
#include "platform/quoted_name.h"

namespace sitecheck
{

void WriteUpgradedPage(const platform::PageFile& page, std::string_view before,
                       std::string_view after, bool backup)
{
    page.Replace(before, after, backup);
}

void WriteUpgradedPage(const std::string& path, std::string_view before, std::string_view after,
                       bool backup)
{
    const platform::PageFile page(path);
    if (page.File().ReadAll() != before)
        throw std::runtime_error(platform::ShellQuotedName(path) +
                                 ": not upgraded: the page changed after it was read, and is left "
                                 "as it is now; check it again");
    page.Replace(before, after, backup);
}

} // namespace sitecheck
