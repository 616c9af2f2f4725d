#include "generators/field_inputs.h"

#include <stdexcept>

#include "generators/spin_value.h"

namespace gen
{

std::size_t FieldInputs::IndexOf(std::string_view option) const
{
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].option == option)
            return i;
    throw std::logic_error("The gadget has no field --" + std::string(option));
}

const std::string& FieldInputs::Text(std::string_view option) const
{
    return values_.at(IndexOf(option));
}

std::int32_t FieldInputs::Number(std::string_view option) const
{
    const std::size_t i = IndexOf(option);
    if (fields_[i].kind != FieldKind::Number)
        throw std::logic_error("The field --" + std::string(option) + " is no number");
    return SpinValue(values_.at(i));
}

TypedField FieldInputs::Field(std::string_view option) const
{
    const std::size_t i = IndexOf(option);
    return {values_.at(i), {fields_[i].caption, fields_[i].option}};
}

} // namespace gen
