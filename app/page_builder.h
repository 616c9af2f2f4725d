#pragma once

#include "app/page_layout.h"

class TForm2;

namespace pages
{

// Fills the layout's panel of `form` with the controls of `layout` and binds their members.
// The page's two buttons are "Preview"
// (xpButton<2k-1>) and "Generate Code" (xpButton<2k>) on page k. Labels get their row's name
// as object name; each field is built as the gadget table describes it (control, kind, caption,
// starting text) at its row's place. When the layout gives a tab order, Tab runs through the
// two buttons and then the fields in that order. A row or tab stop naming no field of the
// page's gadget, or a field of the gadget without exactly one row, throws std::logic_error.
void BuildPage(TForm2& form, const PageLayout& layout);

} // namespace pages
