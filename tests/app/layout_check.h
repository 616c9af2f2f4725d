#pragma once

#include <string>
#include <vector>

#include "app/page_layout.h"
#include "generators/gadget_table.h"

namespace pages
{

// What does not fit between the page layouts and the gadget table, one sentence each: a gadget
// without a layout or a layout without a gadget, a field without exactly one place or a place
// without a field, a tab stop that is no field, and an object name given twice. Empty when
// every field has a place and every place a field. Pure data, so a test runs it over the
// program's table and layouts before any page is built.
std::vector<std::string> LayoutProblems(const std::vector<gen::GadgetEntry>& table,
                                        const std::vector<PageLayout>& layouts);

} // namespace pages
