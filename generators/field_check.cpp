#include "generators/field_check.h"

namespace gen
{

namespace
{

constexpr std::string_view kBlanks = " \t";

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::string Message(const FieldName& field, std::string_view takes)
{
    std::string m = "The field \"";
    m += field.caption;
    m += "\" (--";
    m += field.option;
    m += ") takes ";
    m += takes;
    m += '.';
    return m;
}

// A long value would make the message box wider than the screen; a cut one still shows which
// value it was. Cuts fall between UTF-8 characters.
std::string Shown(std::string_view typed)
{
    std::string shown;
    std::size_t characters = 0;
    for (const char c : typed) {
        const bool starts = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        if (starts && ++characters > FieldError::kTypedShown) {
            shown += "\u2026";
            break;
        }
        shown += (c == '\n' || c == '\r' || c == '\t') ? ' ' : c;
    }
    return shown;
}

std::string CaptionMessage(const FieldName& field, std::string_view takes, const std::string* typed)
{
    std::string m = "The field \"";
    m += field.caption;
    m += '"';
    if (typed)
        m += typed->empty() ? " is empty, but it" : " holds \"" + *typed + "\", but it";
    m += " takes ";
    m += takes;
    m += '.';
    return m;
}

constexpr std::string_view kWholeNumber = "a whole number written in digits only";

} // namespace

FieldError::FieldError(const FieldName& field, std::string_view takes)
    : std::runtime_error(Message(field, takes)), option_(field.option),
      captionMessage_(gen::CaptionMessage(field, takes, nullptr))
{
}

FieldError::FieldError(const FieldName& field, std::string_view takes, std::string_view typed)
    : std::runtime_error(Message(field, takes)), option_(field.option)
{
    const std::string shown = Shown(typed);
    captionMessage_ = gen::CaptionMessage(field, takes, &shown);
}

std::string WholeNumberField(const TypedField& typed)
{
    const std::string_view text = typed.text;
    const FieldName& field = typed.name;
    const std::string_view number = Trimmed(text);
    if (number.empty() || number.find_first_not_of("0123456789") != std::string_view::npos)
        throw FieldError(field, kWholeNumber, text);
    const std::size_t first = number.find_first_not_of('0');
    return first == std::string_view::npos ? "0" : std::string(number.substr(first));
}

std::string WholeNumberOrEmptyField(const TypedField& typed)
{
    const std::string_view text = typed.text;
    const FieldName& field = typed.name;
    if (Trimmed(text).empty())
        return {};
    try {
        return WholeNumberField(typed);
    } catch (const FieldError&) {
        throw FieldError(field, std::string(kWholeNumber) + ", or nothing for no wait", text);
    }
}

std::string TimerSecondsField(const TypedField& typed)
{
    const std::string_view text = typed.text;
    const FieldName& field = typed.name;
    const std::string takes = "a whole number of seconds up to " + std::string(kMaxTimerSeconds) +
                              ", or nothing for no wait";
    std::string seconds;
    try {
        seconds = WholeNumberOrEmptyField(typed);
    } catch (const FieldError&) {
        throw FieldError(field, takes, text);
    }
    // Without leading zeros, the longer number is the larger, and digits of the same length
    // compare as their numbers do.
    if (seconds.size() > kMaxTimerSeconds.size() ||
        (seconds.size() == kMaxTimerSeconds.size() && seconds > kMaxTimerSeconds))
        throw FieldError(field, takes, text);
    return seconds;
}

std::string TrueFalseField(const TypedField& typed)
{
    const std::string_view text = typed.text;
    const FieldName& field = typed.name;
    const std::string_view value = Trimmed(text);
    if (value != "true" && value != "false")
        throw FieldError(field, "true or false", text);
    return std::string(value);
}

std::string_view AddressField(const TypedField& typed)
{
    const std::string_view text = typed.text;
    const FieldName& field = typed.name;
    // The browser drops these around an address too, so they alone make it empty.
    if (text.find_first_not_of(" \t\r\n\f") == std::string_view::npos)
        throw FieldError(field, "a web address and must not be empty", text);
    return text;
}

std::string_view ControlNameField(const TypedField& typed)
{
    if (typed.text.find_first_not_of(" \t\r\n\f") == std::string_view::npos)
        throw FieldError(typed.name,
                         "the name that screen readers give the control and must not be empty",
                         typed.text);
    return typed.text;
}

} // namespace gen
