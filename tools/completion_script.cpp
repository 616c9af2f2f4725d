#include "tools/completion_script.h"

#include <stdexcept>
#include <string_view>

#include "generators/edition.h"

namespace tools
{

namespace
{

// Words go into the script unquoted, in compgen word lists and case patterns; only characters
// that mean nothing to the shell there are let through.
std::string_view ShellWord(std::string_view word)
{
    const auto plain = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '-' || c == '_' || c == '.';
    };
    if (word.empty() || word.front() == '-')
        throw std::invalid_argument("completion: empty name or one starting with '-'");
    for (const char c : word)
        if (!plain(c))
            throw std::invalid_argument("completion: '" + std::string(word) +
                                        "' needs quoting in a shell script");
    return word;
}

std::string GadgetIds(const std::vector<gen::GadgetEntry>& gadgets)
{
    std::string ids = "--list --help --version --recipe --dry-run --from check";
    for (const gen::GadgetEntry& g : gadgets)
        ids.append(" ").append(ShellWord(g.id));
    return ids;
}

// One case branch per gadget: its options, each also as the "--name=" form's name.
std::string OptionCases(const std::vector<gen::GadgetEntry>& gadgets)
{
    std::string cases;
    for (const gen::GadgetEntry& g : gadgets) {
        cases.append("        ").append(ShellWord(g.id)).append(") options=\"");
        for (const gen::FieldEntry& f : g.fields)
            cases.append("--").append(ShellWord(f.option)).append(" ");
        cases.append("--edition --stamp --csp --help -o --output --as-recipe\" ;;\n");
    }
    return cases;
}

// The values --edition takes, as the generators name them.
std::string EditionNames()
{
    return std::string(gen::EditionName(gen::Edition::Classic)) + " " +
           std::string(gen::EditionName(gen::Edition::Today));
}

} // namespace

std::string BashCompletionScript(const std::vector<gen::GadgetEntry>& gadgets)
{
    return "# bash completion for sitewright-gen; generated from the gadget table, do not edit.\n"
           "_sitewright_gen()\n"
           "{\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} options\n"
           "    COMPREPLY=()\n"
           "    if ((COMP_CWORD == 1)); then\n"
           "        COMPREPLY=($(compgen -W \"" +
           GadgetIds(gadgets) +
           "\" -- \"$cur\"))\n"
           "        return 0\n"
           "    fi\n"
           "    case $prev in\n"
           "        -o | --output | --recipe | --from) COMPREPLY=($(compgen -f -- \"$cur\")); "
           "return 0 ;;\n"
           "        --edition) COMPREPLY=($(compgen -W \"" +
           EditionNames() +
           "\" -- \"$cur\")); return 0 ;;\n"
           "    esac\n"
           "    # check takes only switches and paths.\n"
           "    if [[ ${COMP_WORDS[1]} == check ]]; then\n"
           "        if [[ $cur == -* ]]; then\n"
           "            COMPREPLY=($(compgen -W \"--json --upgrade --dry-run --no-backup --help\" "
           "-- \"$cur\"))\n"
           "        else\n"
           "            COMPREPLY=($(compgen -f -- \"$cur\"))\n"
           "        fi\n"
           "        return 0\n"
           "    fi\n"
           "    # bash splits --edition=VALUE at the '=': the value follows a word '='.\n"
           "    if [[ $prev == = && ${COMP_WORDS[COMP_CWORD-2]} == --edition ]]; then\n"
           "        COMPREPLY=($(compgen -W \"" +
           EditionNames() +
           "\" -- \"$cur\"))\n"
           "        return 0\n"
           "    fi\n"
           "    # After an option that takes a value (not written as --name=value): the value.\n"
           "    if [[ $prev == --* && $prev != --help && $prev != --dry-run && $prev != "
           "--as-recipe &&\n"
           "          $prev != --stamp && $prev != --csp && $prev != --edition &&\n"
           "          $cur != -* ]]; then\n"
           "        return 0\n"
           "    fi\n"
           "    case ${COMP_WORDS[1]} in\n"
           "        --recipe | --dry-run) options=\"--recipe --dry-run\" ;;\n" +
           OptionCases(gadgets) +
           "        *) return 0 ;;\n"
           "    esac\n"
           "    COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
           "}\n"
           "complete -F _sitewright_gen sitewright-gen\n";
}

} // namespace tools
