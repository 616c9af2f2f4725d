#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "generators/field_check.h"
#include "generators/field_entry.h"

namespace gen
{

// A gadget's field values looked up by option, as its generators read them: each generator is
// handed its own gadget's fields, so it never needs to know which gadget it belongs to.
class FieldInputs
{
public:
    FieldInputs(const std::vector<FieldEntry>& fields, const FieldValues& values)
        : fields_(fields), values_(values)
    {
    }

    // The text of the field; std::out_of_range when the values stop short of it,
    // std::logic_error when the gadget has no such field.
    const std::string& Text(std::string_view option) const;
    // The value of a Number field, as its spin box reads its text; std::logic_error also when
    // the field is of another kind.
    std::int32_t Number(std::string_view option) const;
    // The text of the field with how the user knows it, as the field checks take it;
    // std::logic_error for no such field.
    TypedField Field(std::string_view option) const;

private:
    std::size_t IndexOf(std::string_view option) const;

    const std::vector<FieldEntry>& fields_;
    const FieldValues& values_;
};

} // namespace gen
