#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "generators/code_buffer.h"

namespace gen {

// One input of a gadget: how the command line names it, which control of the page holds it,
// and the text that control starts with.
struct FieldSpec {
    std::string_view option;    // command-line option, without the leading "--"
    std::string_view component; // object name of the page's control
    std::string_view defaultText;
};

// Field texts in the order of a gadget's fields, exactly as the controls hold them.
using FieldValues = std::vector<std::string>;

struct GadgetSpec {
    std::string_view id;    // command-line name
    std::string_view title; // what the user knows it as
    int page;               // 1 ... 10
    // In the order the page shows them, top to bottom and left to right; the command line's
    // help lists them in this order too. Tab order and reading order may differ.
    std::vector<FieldSpec> fields;
    // Runs the gadget's generator on values in the order of `fields`, one text per field;
    // throws std::out_of_range when values holds fewer.
    CodeBuffer (*generate)(const FieldValues& values);
};

// The ten gadgets in page order.
const std::vector<GadgetSpec>& GadgetTable();

// The gadget with this id, or nullptr.
const GadgetSpec* FindGadget(std::string_view id);

// The gadget shown on this page (1 ... 10), or nullptr.
const GadgetSpec* GadgetOfPage(int page);

// The values the page shows at start.
FieldValues DefaultValues(const GadgetSpec& gadget);

} // namespace gen
