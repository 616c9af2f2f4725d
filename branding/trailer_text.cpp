#include "branding/trailer_text.h"

namespace branding
{

namespace
{

bool IsSkippable(char c)
{
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

bool EndsUnquoted(char c, char delimiter)
{
    return static_cast<unsigned char>(c) <= 32 || c == delimiter;
}

// Reads the quoted field that starts at text[pos] (the opening quote) and moves pos past its
// closing quote, or to the end when the quote is never closed.
std::string ReadQuoted(std::string_view text, std::size_t& pos)
{
    std::string field;
    ++pos;
    while (pos < text.size()) {
        const char c = text[pos++];
        if (c != '"') {
            field.push_back(c);
        } else if (pos < text.size() && text[pos] == '"') {
            field.push_back('"');
            ++pos;
        } else {
            break;
        }
    }
    return field;
}

void SkipBlanks(std::string_view text, std::size_t& pos)
{
    while (pos < text.size() && IsSkippable(text[pos]))
        ++pos;
}

} // namespace

std::string NormalizeLines(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    std::string out;
    out.reserve(text.size() + 2);
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        out.append(text.substr(pos, end - pos)).append("\r\n");
        pos = end;
        if (pos < text.size())
            pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
    }
    return out;
}

void SplitFields(char delimiter, std::string_view text, std::vector<std::string>* list)
{
    if (list == nullptr)
        throw AssertionFailure();
    list->clear();
    ForEachField(delimiter, text, [list](std::string_view field) { list->emplace_back(field); });
}

void ForEachField(char delimiter, std::string_view text,
                  const std::function<void(std::string_view)>& visit)
{
    text = text.substr(0, text.find('\0'));
    std::size_t pos = 0;
    SkipBlanks(text, pos);
    while (pos < text.size()) {
        if (text[pos] == '"') {
            visit(ReadQuoted(text, pos));
        } else {
            const std::size_t start = pos;
            while (pos < text.size() && !EndsUnquoted(text[pos], delimiter))
                ++pos;
            visit(text.substr(start, pos - start));
        }
        SkipBlanks(text, pos);
        if (pos < text.size() && text[pos] == delimiter) {
            if (pos + 1 == text.size())
                visit({});
            ++pos;
            SkipBlanks(text, pos);
        }
    }
}

std::string QuoteField(std::string_view field)
{
    if (field.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        throw std::invalid_argument("A trailer field cannot hold a line break or a 0 byte.");
    std::string quoted = "\"";
    for (char c : field) {
        quoted.push_back(c);
        if (c == '"')
            quoted.push_back('"');
    }
    quoted.push_back('"');
    return quoted;
}

} // namespace branding
