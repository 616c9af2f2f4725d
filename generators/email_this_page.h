#pragma once

#include "generators/code_buffer.h"

namespace gen
{

// Email This Page has no fields; the snippet never changes.
struct EmailThisPageFields {
};

// A HEAD script that composes the message and a BODY form that posts it to a form-to-mail
// service; 40 lines.
CodeBuffer EmailThisPage(const EmailThisPageFields& fields = {});

} // namespace gen
