#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace branding
{

// Raised by SplitFields when it is given no list; its message is "Assertion failure".
class AssertionFailure : public std::logic_error
{
public:
    AssertionFailure() : std::logic_error("Assertion failure") {}
};

// The text as a list of lines gives it back: the text ends at its last byte or at its first 0
// byte; a line ends at CR LF, a lone CR or a lone LF; every line comes back followed by CR LF.
// An empty text gives an empty result.
std::string NormalizeLines(std::string_view text);

// Fills `list` (emptied first) with the fields of `text` separated by `delimiter`, the double
// quote being the quote character:
// - characters with codes 1 to 32 around fields and delimiters are skipped;
// - a quoted field runs to the next quote that is not doubled ("" stands for one "), keeping
//   blanks and delimiters; an unclosed quote keeps everything to the end of the text;
// - an unquoted field ends at a delimiter or at any character with a code from 0 to 32;
// - two delimiters in a row give an empty field, and so does a delimiter that ends the text.
// The text ends at its first 0 byte. Throws AssertionFailure when `list` is null.
void SplitFields(char delimiter, std::string_view text, std::vector<std::string>* list);

// Calls visit(field) for each field SplitFields would list, in order, one at a time: memory
// stays that of the longest field however many there are.
void ForEachField(char delimiter, std::string_view text,
                  const std::function<void(std::string_view)>& visit);

// `field` enclosed in double quotes with every quote inside doubled, so that SplitFields gives
// it back whatever delimiter is used. Throws std::invalid_argument for a field holding a CR, an
// LF or a 0 byte: the trailer's line rules would change or cut such a field.
std::string QuoteField(std::string_view field);

} // namespace branding
