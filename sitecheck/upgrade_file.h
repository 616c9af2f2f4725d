#pragma once

#include <string>
#include <string_view>

namespace platform
{
class PageFile;
}

namespace sitecheck
{

// Writes the upgraded page `after` over `page`, the page as read (`before`), bound to that
// read: a page changed or swapped for a link since is refused and left as it is. With `backup`,
// `before` is first kept as PATH.orig; a page that already has a PATH.orig (even a dangling
// link of that name) is refused, so a second upgrade never loses the original. Throws
// std::runtime_error with a message naming the file; the page is then as it is, and no
// PATH.orig made here stays.
void WriteUpgradedPage(const platform::PageFile& page, std::string_view before,
                       std::string_view after, bool backup);

// The same for a page read earlier by path: the page is opened again and written only when it
// still holds exactly `before`.
void WriteUpgradedPage(const std::string& path, std::string_view before, std::string_view after,
                       bool backup);

} // namespace sitecheck
