#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace options
{

// The version line every Sitewright program prints for --version: "PROGRAM VERSION\n", the
// version being the project's own. The manual pages take the version from this line.
std::string VersionLine(std::string_view program);

// Answers a command line that is exactly one of --help, -h or --version: writes `usage` or the
// version line to `out` and returns the exit status (0, or 1 when `out` could not take the
// text, with a message naming `program` on `err`). Any other command line is left to the
// program: the result is empty and nothing is written.
std::optional<int> AnswerStandardOption(const std::vector<std::string>& args,
                                        std::string_view program, std::string_view usage,
                                        std::ostream& out, std::ostream& err);

// Whether `arg` asks for the help: --help or its short form -h.
bool IsHelpOption(std::string_view arg);

} // namespace options
