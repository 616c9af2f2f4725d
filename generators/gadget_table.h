#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "generators/code_buffer.h"
#include "generators/compatibility.h"
#include "generators/field_check.h"
#include "generators/field_entry.h"
#include "generators/field_inputs.h"

namespace gen
{

// One edition's generator: the gadget's values in, its snippet out. Throws FieldError for a
// value a field cannot take, std::out_of_range when values stop short of the fields.
using Generator = CodeBuffer (*)(const FieldInputs& in);

// Everything a gadget is. The program, the command line, the completion, the manual page and
// the tests all walk these; nothing else lists gadgets.
struct GadgetEntry {
    std::string_view id = {};          // command-line name
    std::string_view title = {};       // what the user knows it as
    std::string_view menuCaption = {}; // its line in the main window's menu, as designed
    // In the order the page shows them, top to bottom and left to right; the command line's
    // help lists them in this order too. Tab order and reading order may differ.
    std::vector<FieldEntry> fields = {};
    Generator classic = nullptr;
    // Empty when the classic snippet still works: the today's edition is then that snippet.
    Generator today = nullptr;
    Compatibility compatibility = {};

    // Set by the table from the gadget's place in it: 1 for the first gadget.
    int page = 0;
    // The classic generator on values in the order of `fields`.
    std::function<CodeBuffer(const FieldValues& values)> generate = {};
};

// The gadgets in page order.
const std::vector<GadgetEntry>& GadgetTable();

// Gadgets the table places after its own entries, in this order. The program defines none
// (generators/extra_gadgets.cpp); a test links in its own definition instead, so that a gadget
// kept outside the program's sources goes through every part of the program as an entry does.
std::vector<GadgetEntry> ExtraGadgets();

// The gadget with this id, or nullptr.
const GadgetEntry* FindGadget(std::string_view id);

// The gadget shown on this page (1 for the first), or nullptr.
const GadgetEntry* GadgetOfPage(int page);

// The gadget's field with this option, or nullptr.
const FieldEntry* FindField(const GadgetEntry& gadget, std::string_view option);

// How the user knows a field of a gadget, for messages: its caption and its option. Throws
// std::logic_error when the gadget or the field does not exist.
FieldName FieldNameOf(std::string_view gadgetId, std::string_view option);

// The values the page shows at start.
FieldValues DefaultValues(const GadgetEntry& gadget);

} // namespace gen
