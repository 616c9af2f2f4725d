#pragma once

#include <optional>
#include <string>

// The desktop program's --help text, naming the gadgets of the table.
std::string ProgramUsage();

// Answers `sitewright --help`, `-h` or `--version` on standard output before any window or
// display is needed, with the status to end with; empty for any other command line, which the
// program then runs as usual.
std::optional<int> AnswerProgramOptions(int argc, char** argv);
