// Any bytes as a page: finding, upgrading and diffing end normally, and every edit of an
// upgrade lies inside the page, in order, without overlapping the next.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "generators/stamp.h"
#include "sitecheck/page_finder.h"
#include "sitecheck/page_upgrade.h"
#include "sitecheck/unified_diff.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view page(reinterpret_cast<const char*>(data), size);
    gen::ReadStamp(page.substr(0, page.find('\n')));
    const std::vector<sitecheck::Finding> found = sitecheck::PageFinder(page).Find();
    const sitecheck::PageUpgrade u = sitecheck::UpgradePage(page, found);
    std::size_t at = 0;
    for (const sitecheck::PageEdit& e : u.edits) {
        if (e.range.begin < at || e.range.end < e.range.begin || e.range.end > size)
            std::abort();
        at = e.range.end;
    }
    sitecheck::UnifiedDiff(page, u.edits, "page.html");
    return 0;
}
