#pragma once

#include <string>
#include <string_view>

namespace sitecheck
{

// Writes the upgraded page `after` over `path` with the one staged replace. With `backup`, the
// page as it was (`before`) is first kept as PATH.orig; a page that already has a PATH.orig is
// refused, so a second upgrade never loses the original. Throws std::runtime_error with a
// message naming the file; the page is then as it was.
void WriteUpgradedPage(const std::string& path, std::string_view before, std::string_view after,
                       bool backup);

} // namespace sitecheck
