#pragma once

#include <cstdint>
#include <string>

#include "generators/code_buffer.h"

namespace gen
{

struct LogoBrandingFields {
    std::string statusText; // shown in the status bar while the pointer is over the logo
    std::string link;       // where the logo leads
    std::string image;      // the logo image's address
    std::int32_t width = 0; // logo size in pixels, written in plain decimal
    std::int32_t height = 0;
};

// A HEAD script that keeps the logo in the lower right corner of the visible area, the BODY's
// onload that starts it, and the logo markup; 65 lines.
CodeBuffer LogoBranding(const LogoBrandingFields& fields);

} // namespace gen
