#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace gen
{

// How the user knows a field: the caption beside it on the page and its command-line option
// (without the leading "--").
struct FieldName {
    std::string_view caption;
    std::string_view option;
};

// A field value the generated code cannot take. The message names the field by its caption and
// its option and says what the field takes; no snippet is generated.
class FieldError : public std::runtime_error
{
public:
    FieldError(const FieldName& field, std::string_view takes);
};

// Fields that land in the script as code. Blanks (spaces and tabs) before and after the value
// are ignored.

// A whole decimal number, digits only. Returns it without blanks and without leading zeros,
// which a script would read as an octal number ("0500" is 320 there).
std::string WholeNumberField(std::string_view text, const FieldName& field);

// The same, except that a value of nothing but blanks is allowed and gives "".
std::string WholeNumberOrEmptyField(std::string_view text, const FieldName& field);

// A timer's delay in whole seconds, or nothing for no wait (""), as WholeNumberOrEmptyField,
// and at most kMaxTimerSeconds: browsers keep a timer of at most 2^31-1 milliseconds and fire a
// longer one at once.
inline constexpr std::string_view kMaxTimerSeconds = "2147483";
std::string TimerSecondsField(std::string_view text, const FieldName& field);

// "true" or "false", returned without blanks.
std::string TrueFalseField(std::string_view text, const FieldName& field);

// A web address that a script navigates to: anything but empty or blank, which would make the
// page load itself again and again. Returns the text as it is.
std::string_view AddressField(std::string_view text, const FieldName& field);

} // namespace gen
