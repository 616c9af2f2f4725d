#include "generators/code_buffer.h"

namespace gen
{

namespace
{
constexpr std::string_view kLineEnd = "\r\n";
}

CodeBuffer::CodeBuffer()
{
    text_.reserve(4096);
    ends_.reserve(80);
}

void CodeBuffer::Clear()
{
    text_.clear();
    ends_.clear();
}

void CodeBuffer::Append(std::string_view line)
{
    text_.append(line);
    ends_.push_back(text_.size());
    text_.append(kLineEnd);
}

void CodeBuffer::Splice(std::initializer_list<std::string_view> parts)
{
    for (std::string_view part : parts)
        text_.append(part);
    ends_.push_back(text_.size());
    text_.append(kLineEnd);
}

void CodeBuffer::AppendLines(std::initializer_list<std::string_view> lines)
{
    for (std::string_view line : lines)
        Append(line);
}

std::string_view CodeBuffer::Line(std::size_t index) const
{
    const std::size_t begin = index == 0 ? 0 : ends_[index - 1] + kLineEnd.size();
    return std::string_view(text_).substr(begin, ends_[index] - begin);
}

std::vector<std::string> CodeBuffer::Lines() const
{
    std::vector<std::string> lines;
    lines.reserve(Count());
    for (std::size_t i = 0; i < Count(); ++i)
        lines.emplace_back(Line(i));
    return lines;
}

std::string TextForm(const std::vector<std::string>& lines)
{
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + kLineEnd.size();
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text.append(line);
        text.append(kLineEnd);
    }
    return text;
}

} // namespace gen
