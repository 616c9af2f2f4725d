#pragma once

#include "generators/code_buffer.h"

namespace gen
{

// Metasearch has no fields; the snippet never changes.
struct MetasearchFields {
};

// One BODY line that loads the metasearch service's search form; 9 lines.
CodeBuffer Metasearch(const MetasearchFields& fields = {});

} // namespace gen
