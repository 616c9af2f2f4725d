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

constexpr std::string_view kWholeNumber = "a whole number written in digits only";

} // namespace

FieldError::FieldError(const FieldName& field, std::string_view takes)
    : std::runtime_error(Message(field, takes))
{
}

std::string WholeNumberField(std::string_view text, const FieldName& field)
{
    const std::string_view number = Trimmed(text);
    if (number.empty() || number.find_first_not_of("0123456789") != std::string_view::npos)
        throw FieldError(field, kWholeNumber);
    const std::size_t first = number.find_first_not_of('0');
    return first == std::string_view::npos ? "0" : std::string(number.substr(first));
}

std::string WholeNumberOrEmptyField(std::string_view text, const FieldName& field)
{
    if (Trimmed(text).empty())
        return {};
    try {
        return WholeNumberField(text, field);
    } catch (const FieldError&) {
        throw FieldError(field, std::string(kWholeNumber) + ", or nothing for no wait");
    }
}

std::string TimerSecondsField(std::string_view text, const FieldName& field)
{
    const std::string takes = "a whole number of seconds up to " + std::string(kMaxTimerSeconds) +
                              ", or nothing for no wait";
    std::string seconds;
    try {
        seconds = WholeNumberOrEmptyField(text, field);
    } catch (const FieldError&) {
        throw FieldError(field, takes);
    }
    // Without leading zeros, the longer number is the larger, and digits of the same length
    // compare as their numbers do.
    if (seconds.size() > kMaxTimerSeconds.size() ||
        (seconds.size() == kMaxTimerSeconds.size() && seconds > kMaxTimerSeconds))
        throw FieldError(field, takes);
    return seconds;
}

std::string TrueFalseField(std::string_view text, const FieldName& field)
{
    const std::string_view value = Trimmed(text);
    if (value != "true" && value != "false")
        throw FieldError(field, "true or false");
    return std::string(value);
}

std::string_view AddressField(std::string_view text, const FieldName& field)
{
    // The browser drops these around an address too, so they alone make it empty.
    if (text.find_first_not_of(" \t\r\n\f") == std::string_view::npos)
        throw FieldError(field, "a web address and must not be empty");
    return text;
}

} // namespace gen
