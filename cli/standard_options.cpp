#include "cli/standard_options.h"

namespace cli
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
    if (IsHelpOption(args[0]))
        out << usage;
    else if (args[0] == "--version")
        out << VersionLine(program);
    else
        return std::nullopt;
    // A closed pipe or a full disk must not end in a success status.
    out.flush();
    if (out)
        return 0;
    err << program << ": cannot write to standard output\n";
    return 1;
}

} // namespace cli
