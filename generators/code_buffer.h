#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace gen
{

// The lines of one generated snippet. Lines are byte strings without terminators; an empty
// string is an empty line. The lines are kept back to back in their text form, so handing the
// whole snippet to a file or a window costs one copy.
class CodeBuffer
{
public:
    // Room for the largest snippet, so building one costs two allocations.
    CodeBuffer();

    void Clear();

    // Appends one line; it may be empty.
    void Append(std::string_view line);

    // Appends one line made of the parts joined with nothing between them.
    void Splice(std::initializer_list<std::string_view> parts);

    // Appends each item as a line of its own.
    void AppendLines(std::initializer_list<std::string_view> lines);

    std::size_t Count() const { return ends_.size(); }
    std::string_view Line(std::size_t index) const;
    std::vector<std::string> Lines() const;

    // Every line followed by CR LF, the last one included.
    const std::string& TextForm() const { return text_; }

private:
    std::string text_;
    std::vector<std::size_t> ends_; // where each line's CR LF begins
};

// The text form of a list of lines: every line followed by CR LF, the last one included.
std::string TextForm(const std::vector<std::string>& lines);

} // namespace gen
