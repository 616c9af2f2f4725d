#pragma once

#include <string>
#include <string_view>
#include <vector>

// The golden files under tests/generators/golden: what each gadget must emit for the values its
// page starts with.

// The lines of the golden file `name` (a gadget id, or an id with ".today"), without their
// CR LF ends. Throws std::runtime_error when the file is missing, empty or does not end every
// line in CR LF.
std::vector<std::string> GoldenLines(std::string_view name);

// `goldenLine` with its one `startText` replaced by `text`: the line a field's text gives when
// the start text lands there exactly once. Throws std::runtime_error when the line holds the
// start text no time or more than once, so an expectation never lands in the wrong place.
std::string WithFieldText(std::string_view goldenLine, std::string_view startText,
                          std::string_view text);
