// Kept apart from the layouts so that a test can link in a definition of its own in place of
// this one; the program's pages all stand in the layouts' own list.
#include "app/page_layout.h"

namespace pages
{

std::vector<PageLayout> ExtraLayouts()
{
    return {};
}

} // namespace pages
