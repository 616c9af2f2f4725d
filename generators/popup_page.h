#pragma once

#include <string>

#include "generators/code_buffer.h"
#include "generators/field_inputs.h"

namespace gen
{

// The address lands in a script string, escaped; width, height and seconds must be whole
// numbers (seconds may be empty), since they land in the script as code (FieldError otherwise).
struct PopupPageFields {
    std::string url; // opened in the popup
    std::string width;
    std::string height;
    std::string seconds; // the delay; "000" is written after it to make milliseconds
};

// A HEAD script that opens the popup and the BODY onLoad that starts its timer; 24 lines.
CodeBuffer PopupPage(const FieldInputs& in);

// The fields as both editions splice them: the address as typed, the numbers without blanks
// or leading zeros. Throws FieldError for a number field that is not a whole number.
PopupPageFields CheckedPopupPage(const FieldInputs& in);

} // namespace gen
