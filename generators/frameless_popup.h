#pragma once

#include <string>

#include "generators/code_buffer.h"
#include "generators/field_inputs.h"

namespace gen
{

// The address lands in a script string, escaped; width and height must be whole numbers and
// autoclose "true" or "false", since they land in the script as code (FieldError otherwise).
struct FramelessPopupFields {
    std::string url; // shown in the popup
    std::string width;
    std::string height;
    std::string autoclose; // whether the popup closes when the launching page is left
};

// A HEAD script that opens the popup without frame or title bar where the browser allows, the
// onLoad for the popup page's BODY tag, and the launching link; 70 lines.
CodeBuffer FramelessPopup(const FieldInputs& in);

// The fields as both editions splice them: the address as typed, the numbers and autoclose
// without blanks (numbers without leading zeros). Throws FieldError for a value the script
// cannot take.
FramelessPopupFields CheckedFramelessPopup(const FieldInputs& in);

} // namespace gen
