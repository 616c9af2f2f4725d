#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "generators/code_buffer.h"
#include "generators/field_check.h"

namespace gen
{

// What kind of control holds a field: a line of text, a whole number (a spin box), or a text
// with a list of choices to pick from (an editable combo box).
enum class FieldKind { Text, Number, Choice };

// One input of a gadget and everything about it that does not depend on where its page puts
// it. Within its gadget a field is known by its option.
struct FieldSpec {
    std::string_view option;    // command-line option, without the leading "--"
    std::string_view component; // object name of the page's control
    std::string_view defaultText;
    FieldKind kind;
    std::string_view caption;      // the label beside the control
    std::string_view choices = {}; // a Choice field's list, '\n' between the items
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
    std::function<CodeBuffer(const FieldValues& values)> generate;
};

// The ten gadgets in page order.
const std::vector<GadgetSpec>& GadgetTable();

// The gadget with this id, or nullptr.
const GadgetSpec* FindGadget(std::string_view id);

// The gadget shown on this page (1 ... 10), or nullptr.
const GadgetSpec* GadgetOfPage(int page);

// The gadget's field with this option, or nullptr.
const FieldSpec* FindField(const GadgetSpec& gadget, std::string_view option);

// How the user knows a field of a gadget, for messages: its caption and its option. Throws
// std::logic_error when the gadget or the field does not exist.
FieldName FieldNameOf(std::string_view gadgetId, std::string_view option);

// The values the page shows at start.
FieldValues DefaultValues(const GadgetSpec& gadget);

// A gadget's field values looked up by option, for the adapters that hand them to a generator.
class FieldInputs
{
public:
    FieldInputs(const std::vector<FieldSpec>& fields, const FieldValues& values)
        : fields_(fields), values_(values)
    {
    }

    // The text of the field; std::out_of_range when the values stop short of it,
    // std::logic_error when the gadget has no such field.
    const std::string& Text(std::string_view option) const;
    // The value of a Number field, as its spin box reads its text; std::logic_error also when
    // the field is of another kind.
    std::int32_t Number(std::string_view option) const;

private:
    std::size_t IndexOf(std::string_view option) const;

    const std::vector<FieldSpec>& fields_;
    const FieldValues& values_;
};

} // namespace gen
