// Kept apart from the table so that a test can link in a definition of its own in place of
// this one; the program's gadgets all stand in the table's own entries.
#include "generators/gadget_table.h"

namespace gen
{

std::vector<GadgetEntry> ExtraGadgets()
{
    return {};
}

} // namespace gen
