#pragma once

#include <string>

#include "generators/code_buffer.h"

namespace gen
{

struct SetHomepageFields {
    std::string url; // the address offered as the visitor's home page
};

// A BODY script that offers the address as home page in the way each browser allows; 36 lines.
// The address is spliced four times.
CodeBuffer SetHomepage(const SetHomepageFields& fields);

} // namespace gen
