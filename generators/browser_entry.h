#pragma once

#include <string>

#include "generators/code_buffer.h"
#include "generators/field_inputs.h"

namespace gen
{

struct BrowserEntryFields {
    std::string ieUrl;    // for the browser named "Microsoft Internet Explorer"
    std::string otherUrl; // for every other browser
};

// A BODY script that sends the visitor on by browser name; 21 lines.
// Throws FieldError when either address is empty: the page would reload itself without end.
CodeBuffer BrowserEntry(const FieldInputs& in);

// The addresses as both editions splice them, escaped for a script string in double quotes.
// Throws FieldError when either is empty or blank.
BrowserEntryFields CheckedBrowserEntry(const FieldInputs& in);

} // namespace gen
