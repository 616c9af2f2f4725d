#pragma once

#include "app/page_layout.h"

class QWidget;

namespace pages
{

// Fills `panel` with the controls of `layout` and the page's two buttons, "Preview"
// (xpButton<2k-1>) and "Generate Code" (xpButton<2k>) on page k. Every control gets its row's
// name as object name; fields start with the gadget table's default text for that name. When
// the layout gives a tab order, Tab runs through the two buttons and then the fields in that
// order; a name there that is no field of the page throws std::logic_error.
void BuildPage(QWidget* panel, const PageLayout& layout);

} // namespace pages
