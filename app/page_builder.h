#pragma once

#include "app/page_layout.h"
#include "generators/gadget_table.h"

class QWidget;
class XpButton;

namespace pages
{

struct PageButtons {
    XpButton* preview;
    XpButton* generate;
};

// Fills `panel` with the controls of the gadget's page as `layout` places them and returns its
// two buttons, "Preview" (xpButton<2k-1>) and "Generate Code" (xpButton<2k>) on page k. Labels
// get their row's name as object name; each field is built as the gadget table describes it
// (control name, kind, caption, starting text) at its row's place. When the layout gives a tab
// order, Tab runs through the two buttons and then the fields in that order. A row or tab stop
// naming no field of the gadget, or a field of the gadget without exactly one row, throws
// std::logic_error.
PageButtons BuildPage(QWidget* panel, const gen::GadgetEntry& gadget, const PageLayout& layout);

} // namespace pages
