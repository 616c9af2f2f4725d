#pragma once

#include "generators/code_buffer.h"

namespace gen
{

// Language has no fields; the user edits the redirect table in the snippet afterwards.
struct LanguageFields {
};

// A HEAD script that sends the visitor to a page chosen by the browser's language; 31 lines.
CodeBuffer Language(const LanguageFields& fields = {});

} // namespace gen
