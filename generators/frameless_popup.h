#pragma once

#include <string>

#include "generators/code_buffer.h"

namespace gen {

// All four are spliced as typed: width and height are used by the script as numbers, and
// autoclose as a script expression ("true" or "false").
struct FramelessPopupFields {
    std::string url; // shown in the popup
    std::string width;
    std::string height;
    std::string autoclose; // whether the popup closes when the launching page is left
};

// A HEAD script that opens the popup without frame or title bar where the browser allows, the
// onLoad for the popup page's BODY tag, and the launching link; 70 lines.
CodeBuffer FramelessPopup(const FramelessPopupFields& fields);

} // namespace gen
