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

// A field value the generated code cannot take; no snippet is generated. what() names the field
// by its caption and its option and says what the field takes, for the command line.
class FieldError : public std::runtime_error
{
public:
    FieldError(const FieldName& field, std::string_view takes);
    // The same, knowing what was typed.
    FieldError(const FieldName& field, std::string_view takes, std::string_view typed);

    // For a window, where there is no option: the caption, what was typed (the first
    // kTypedShown characters, line breaks and tabs as blanks) and what the field takes, e.g.
    //   The field "Width:" holds "500px", but it takes a whole number written in digits only.
    //   The field "Height:" is empty, but it takes a whole number written in digits only.
    const std::string& CaptionMessage() const { return captionMessage_; }

    static constexpr std::size_t kTypedShown = 60;

    // The option of the refused field, so a caller can say where the value came from.
    const std::string& Option() const { return option_; }

private:
    std::string option_;
    std::string captionMessage_;
};

// What was typed into a field, with how the user knows that field.
struct TypedField {
    std::string_view text;
    FieldName name;
};

// Fields that land in the script as code. Blanks (spaces and tabs) before and after the value
// are ignored.

// A whole decimal number, digits only. Returns it without blanks and without leading zeros,
// which a script would read as an octal number ("0500" is 320 there).
std::string WholeNumberField(const TypedField& typed);

// The same, except that a value of nothing but blanks is allowed and gives "".
std::string WholeNumberOrEmptyField(const TypedField& typed);

// A timer's delay in whole seconds, or nothing for no wait (""), as WholeNumberOrEmptyField,
// and at most kMaxTimerSeconds: browsers keep a timer of at most 2^31-1 milliseconds and fire a
// longer one at once.
inline constexpr std::string_view kMaxTimerSeconds = "2147483";
std::string TimerSecondsField(const TypedField& typed);

// "true" or "false", returned without blanks.
std::string TrueFalseField(const TypedField& typed);

// A web address that a script navigates to: anything but empty or blank, which would make the
// page load itself again and again. Returns the text as it is.
std::string_view AddressField(const TypedField& typed);

// A text that names a control for assistive technology (a link's text, an input's label, a
// dialog's title, a button's caption): anything but empty or blank, which would leave the
// control without a name. Returns the text as it is.
std::string_view ControlNameField(const TypedField& typed);

} // namespace gen
