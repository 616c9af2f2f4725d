#include "options/standard_options.h"

#include <cerrno>
#include <cstring>

namespace options
{

std::string VersionLine(std::string_view program)
{
    return std::string(program) + " " SITEWRIGHT_VERSION "\n";
}

bool IsHelpOption(std::string_view arg)
{
    return arg == "--help" || arg == "-h";
}

std::optional<int> AnswerStandardOption(const std::vector<std::string>& args,
                                        std::string_view program, std::string_view usage,
                                        std::ostream& out, std::ostream& err)
{
    if (args.size() != 1)
        return std::nullopt;
    errno = 0;
    if (IsHelpOption(args[0]))
        out << usage;
    else if (args[0] == "--version")
        out << VersionLine(program);
    else
        return std::nullopt;
    // A closed pipe or a full disk must not end in a success status, and the user is told
    // which of them it was.
    out.flush();
    if (out)
        return 0;
    const int error = errno;
    err << program << ": cannot write to standard output: "
        << (error ? std::strerror(error) : "the stream refused the text") << '\n';
    return 1;
}

} // namespace options
