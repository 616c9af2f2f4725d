#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gen
{

// What kind of control holds a field: a line of text, a whole number (a spin box), or a text
// with a list of choices to pick from (an editable combo box).
enum class FieldKind { Text, Number, Choice };

// Whether a field's value lands in the generated code as code, where it is checked before
// anything is written (or, for a Number field, read as a number), or only as text, where it is
// escaped.
enum class Lands { AsText, AsCode };

// One input of a gadget and everything about it that does not depend on where its page puts
// it. Within its gadget a field is known by its option.
struct FieldEntry {
    std::string_view option; // command-line option, without the leading "--"
    std::string_view defaultText;
    FieldKind kind;
    std::string_view caption;      // the label beside the control
    std::string_view choices = {}; // a Choice field's list, '\n' between the items
    Lands lands = Lands::AsText;
};

// Field texts in the order of a gadget's fields, exactly as the controls hold them.
using FieldValues = std::vector<std::string>;

} // namespace gen
