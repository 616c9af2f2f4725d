#include "cli/dispatch.h"

#include <cerrno>

#include "cli/check_command.h"
#include "cli/from_command.h"
#include "cli/gen_command.h"
#include "cli/recipe_command.h"
#include "options/standard_options.h"

namespace cli
{

namespace
{

// The form help2man reads: every usage form on a line of its own ("or:" continues the usage),
// paragraphs before "Options:" for the description, one option per line after it.
constexpr const char* kUsage =
    "Usage: sitewright-gen GADGET [--OPTION=VALUE]... [--edition=EDITION] [--stamp] [-o FILE]\n"
    "  or:  sitewright-gen GADGET [--OPTION=VALUE]... [--edition=EDITION] [-o FILE] --csp\n"
    "  or:  sitewright-gen GADGET [--OPTION=VALUE]... [--edition=EDITION] [-o FILE] --as-recipe\n"
    "  or:  sitewright-gen --recipe FILE [--dry-run]\n"
    "  or:  sitewright-gen check [--json] [--upgrade [--dry-run] [--no-backup]] PATH...\n"
    "  or:  sitewright-gen --from FILE\n"
    "  or:  sitewright-gen GADGET --help\n"
    "  or:  sitewright-gen --list\n"
    "  or:  sitewright-gen --help\n"
    "  or:  sitewright-gen --version\n"
    "Writes the HTML/JavaScript snippet of one Sitewright gadget, with CR LF line ends, to\n"
    "standard output or, with -o, to FILE (replacing it). Options left out take the defaults\n"
    "the program's pages start with. Values land in the code exactly as given, escaped where\n"
    "they must be. A field that lands in the script as code refuses a value it cannot take\n"
    "(such as a popup width that is not a whole number) with exit status 2. A number field,\n"
    "a spin box on the program's page, reads its value as the spin box does: any text has\n"
    "a value, and text that is not a whole number gives 0.\n"
    "\n"
    "--recipe FILE generates every snippet of a recipe (see docs/recipe.md): each to its\n"
    "output file, a path below the recipe's folder, or without one to standard output, in\n"
    "order. Every entry is checked first; any refusal names the entry and its key, exits\n"
    "with status 2 and writes nothing.\n"
    "\n"
    "check finds the gadgets' snippets in existing pages, says what each does in today's\n"
    "browsers and upgrades them (sitewright-gen check --help lists its options).\n"
    "\n"
    "Options:\n"
    "  --OPTION=VALUE, --OPTION VALUE\n"
    "                       the value of one of the gadget's fields; GADGET --help lists them\n"
    "  --edition=EDITION    classic (the designed snippet, the default) or today (the today's\n"
    "                       edition, built on current web standards)\n"
    "  -o, --output=FILE    write to FILE, replacing it, instead of standard output\n"
    "  --stamp              put a first line before the snippet, a comment recording the\n"
    "                       gadget, the edition and every value, by which check recognises\n"
    "                       the snippet later\n"
    "  --csp                print what a page's Content Security Policy must admit for the\n"
    "                       snippet instead of the snippet, one directive a line: the\n"
    "                       'sha256-...' hash of each inline script and style with these\n"
    "                       values and each origin it loads scripts from; the classic\n"
    "                       edition needs 'unsafe-inline'\n"
    "  --from FILE          print the recipe that regenerates every stamped snippet in FILE\n"
    "  --as-recipe          print the recipe of the command line instead of the snippet,\n"
    "                       -o FILE becoming the entry's output, --stamp its stamp and\n"
    "                       --csp its csp\n"
    "  --recipe=FILE        generate every snippet of the recipe FILE\n"
    "  --dry-run            with --recipe, list what would be written and write nothing\n"
    "  --list               name the gadgets and say whether their designed snippet works in\n"
    "                       today's browsers\n"
    "  -h, --help           show this help, or after GADGET what the gadget does in today's\n"
    "                       browsers and its options, and exit\n"
    "  --version            show the version and exit\n";

} // namespace

int RunSitewrightGen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    errno = 0;
    if (args.empty()) {
        err << kUsage;
        return kExitUsage;
    }
    if (IsRecipeCommand(args))
        return RunRecipe(args, out, err);
    if (const std::optional<int> status =
            options::AnswerStandardOption(args, "sitewright-gen", kUsage, out, err))
        return *status;
    const std::string& first = args[0];
    if (first == "--list" && args.size() == 1)
        return RunList(out, err);
    // Without this, the extra argument would make "--list" read as an unknown gadget.
    if (options::IsHelpOption(first) || first == "--version" || first == "--list") {
        err << "sitewright-gen: " << first << " takes no other arguments\n";
        return kExitUsage;
    }
    if (first == "check")
        return RunCheck({args.begin() + 1, args.end()}, out, err);
    if (first == "--from")
        return RunFrom({args.begin() + 1, args.end()}, out, err);
    return RunGadgetCommand(args, out, err);
}

} // namespace cli
