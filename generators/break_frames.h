#pragma once

#include "generators/code_buffer.h"

namespace gen
{

// Break Frames has no fields; the snippet never changes.
struct BreakFramesFields {
};

CodeBuffer BreakFrames(const BreakFramesFields& fields = {});

} // namespace gen
