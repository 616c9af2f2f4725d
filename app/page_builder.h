#pragma once

#include "app/page_layout.h"

class QWidget;

namespace pages
{

// Fills `panel` with the controls of `layout` and the page's two buttons, "Preview"
// (xpButton<2k-1>) and "Generate Code" (xpButton<2k>) on page k. Labels get their row's name
// as object name; each field is built as the gadget table describes it (control, kind, caption,
// starting text) at its row's place. When the layout gives a tab order, Tab runs through the
// two buttons and then the fields in that order. A row or tab stop naming no field of the
// page's gadget, or a field of the gadget without exactly one row, throws std::logic_error.
void BuildPage(QWidget* panel, const PageLayout& layout);

} // namespace pages
