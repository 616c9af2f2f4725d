#pragma once

#include <optional>
#include <string_view>

#include "generators/code_buffer.h"
#include "generators/gadget_table.h"

namespace gen
{

// Which code a gadget's fields become: the designed snippet (classic, the default) or the
// today's edition built on current web standards. Where the classic snippet still works, the
// today's edition is that same snippet.
enum class Edition { Classic, Today };

// "classic" or "today".
std::string_view EditionName(Edition edition);

// The edition named "classic" or "today", nothing for any other text.
std::optional<Edition> ParseEdition(std::string_view name);

// Runs the gadget's generator for the edition on values in the order of the gadget's fields.
// Throws what the generator throws (FieldError for a value a field cannot take,
// std::out_of_range for too few values).
CodeBuffer GenerateEdition(const GadgetEntry& gadget, const FieldValues& values, Edition edition);

// Whether the gadget has a today's edition of its own (otherwise it is the classic snippet).
bool HasOwnTodaysEdition(const GadgetEntry& gadget);

} // namespace gen
