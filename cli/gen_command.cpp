#include "cli/gen_command.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "cli/exit_status.h"
#include "cli/output_watch.h"
#include "generators/compatibility.h"
#include "generators/edition.h"
#include "generators/field_check.h"
#include "generators/gadget_table.h"
#include "generators/policy_sources.h"
#include "generators/stamp.h"
#include "options/standard_options.h"
#include "platform/staged_file.h"
#include "recipe/recipe.h"
#include "recipe/recipe_check.h"

namespace cli
{

namespace
{

struct Request {
    const gen::GadgetEntry* gadget = nullptr;
    gen::FieldValues values;
    std::optional<std::string> outputPath;
    gen::Edition edition = gen::Edition::Classic;
    bool help = false;
    bool asRecipe = false;
    std::vector<std::pair<std::string, std::string>> given; // options as given, for --as-recipe
    bool stamp = false;
    bool csp = false;
};

// A usage error: the message goes to standard error and the run ends with kExitUsage.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void PrintList(std::ostream& out)
{
    std::size_t idWidth = 0;
    std::size_t titleWidth = 0;
    for (const gen::GadgetEntry& g : gen::GadgetTable()) {
        idWidth = std::max(idWidth, g.id.size());
        titleWidth = std::max(titleWidth, g.title.size());
    }
    for (const gen::GadgetEntry& g : gen::GadgetTable())
        out << g.id << std::string(idWidth - g.id.size() + 2, ' ') << g.title
            << std::string(titleWidth - g.title.size() + 2, ' ')
            << gen::SupportWord(g.compatibility.classic) << '\n';
}

void PrintCompatibility(const gen::GadgetEntry& g, std::ostream& out)
{
    const gen::Compatibility& c = g.compatibility;
    out << "In today's browsers (" << gen::SupportWord(c.classic) << "): " << c.sentence << '\n'
        << "Today's edition: " << c.todaySentence << "\n\n";
}

void PrintGadgetHelp(const gen::GadgetEntry& g, std::ostream& out)
{
    out << "Usage: sitewright-gen " << g.id << " [OPTION]... [-o FILE]\n"
        << "Writes the snippet of the gadget \"" << g.title << "\".\n";
    PrintCompatibility(g, out);
    std::size_t width = std::string_view("--edition=EDITION").size();
    for (const gen::FieldEntry& f : g.fields)
        width = std::max(width, f.option.size() + std::string_view("--=VALUE").size());
    const auto column = [&](std::string_view left) {
        out << "  " << left << std::string(width - left.size() + 2, ' ');
    };
    if (!g.fields.empty())
        out << "Options (default in brackets):\n";
    for (const gen::FieldEntry& f : g.fields) {
        column("--" + std::string(f.option) + "=VALUE");
        out << '[' << f.defaultText << ']'
            << (f.kind == gen::FieldKind::Number ? " a whole number; other text gives 0" : "")
            << '\n';
    }
    column("--edition=EDITION");
    out << "classic (the designed snippet, the default) or today\n";
    column("--stamp");
    out << "put a comment describing the snippet on its first line\n";
    column("-o FILE");
    out << "write to FILE, replacing it, instead of standard output\n";
    column("--csp");
    out << "print what a Content Security Policy must admit for the snippet\n";
    column("--as-recipe");
    out << "print the recipe of this command line instead of the snippet\n";
}

std::size_t FieldIndex(const gen::GadgetEntry& g, std::string_view option)
{
    for (std::size_t i = 0; i < g.fields.size(); ++i)
        if (g.fields[i].option == option)
            return i;
    throw UsageError("sitewright-gen: " + std::string(g.id) + " has no option --" +
                     std::string(option) + " (see: sitewright-gen " + std::string(g.id) +
                     " --help)");
}

// Takes the value of the option at args[i], from "--name=value" or from the next argument.
std::string TakeValue(const std::vector<std::string>& args, std::size_t& i, std::string_view name,
                      std::size_t equals)
{
    if (equals != std::string::npos)
        return args[i].substr(equals + 1);
    if (i + 1 >= args.size())
        throw UsageError("sitewright-gen: option " + std::string(name) + " needs a value");
    return args[++i];
}

gen::Edition TakeEdition(std::string_view name)
{
    if (const std::optional<gen::Edition> edition = gen::ParseEdition(name))
        return *edition;
    throw UsageError("sitewright-gen: --edition takes classic or today, not '" + std::string(name) +
                     "'");
}

Request Parse(const std::vector<std::string>& args)
{
    Request r;
    r.gadget = gen::FindGadget(args[0]);
    if (!r.gadget)
        throw UsageError("sitewright-gen: unknown gadget '" + args[0] +
                         "' (see: sitewright-gen --list)");
    r.values = gen::DefaultValues(*r.gadget);
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (options::IsHelpOption(name) && equals == std::string::npos) {
            r.help = true;
        } else if (name == "--as-recipe" && equals == std::string::npos) {
            r.asRecipe = true;
        } else if (arg == "--stamp") {
            r.stamp = true;
        } else if (arg == "--csp") {
            r.csp = true;
        } else if (name == "--edition") {
            r.edition = TakeEdition(TakeValue(args, i, name, equals));
        } else if (name == "-o" || name == "--output") {
            r.outputPath = TakeValue(args, i, name, equals);
        } else if (name.size() > 2 && name.compare(0, 2, "--") == 0) {
            const std::size_t field = FieldIndex(*r.gadget, std::string_view(name).substr(2));
            r.values[field] = TakeValue(args, i, name, equals);
            r.given.emplace_back(name.substr(2), r.values[field]);
        } else {
            throw UsageError("sitewright-gen: unexpected argument '" + arg + "'");
        }
    }
    return r;
}

int Generate(const Request& r, std::ostream& out, std::ostream& err)
{
    if (!r.gadget->generate) {
        err << "sitewright-gen: " << r.gadget->id << " cannot be generated yet\n";
        return kExitFailure;
    }
    const gen::CodeBuffer code = r.stamp ? gen::StampedEdition(*r.gadget, r.values, r.edition)
                                         : gen::GenerateEdition(*r.gadget, r.values, r.edition);
    const std::string text = r.csp ? gen::PolicyText(code, r.edition) : code.TextForm();
    if (!r.outputPath) {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        return Delivered(out, err);
    }
    try {
        platform::WriteOutputFile(*r.outputPath, text, platform::NewFileMode::Data);
    } catch (const std::exception& e) {
        err << "sitewright-gen: " << e.what() << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

// Prints the recipe of the command line: the options given, in the order given, the edition,
// -o FILE as the entry's output, --stamp as its "stamp" and --csp as its "csp"; checked as a
// recipe entry is.
int PrintAsRecipe(const Request& r, std::ostream& out, std::ostream& err)
{
    recipe::Entry entry;
    entry.gadget = std::string(r.gadget->id);
    entry.edition = r.edition;
    for (const auto& [option, value] : r.given)
        entry.SetValue(option, value);
    entry.output = r.outputPath;
    entry.stamp = r.stamp;
    entry.csp = r.csp;
    recipe::Recipe recipe;
    recipe.snippets.push_back(std::move(entry));
    OutputWatch watch(out);
    try {
        recipe::CheckRecipe(recipe);
        out << recipe::WriteRecipe(recipe);
    } catch (const recipe::RecipeError& e) {
        err << "sitewright-gen: " << e.what() << '\n';
        return kExitUsage;
    }
    return watch.Delivered(err) ? kExitOk : kExitFailure;
}

} // namespace

int RunList(std::ostream& out, std::ostream& err)
{
    PrintList(out);
    return Delivered(out, err);
}

int RunGadgetCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    try {
        const Request r = Parse(args);
        if (r.help) {
            PrintGadgetHelp(*r.gadget, out);
            return Delivered(out, err);
        }
        if (r.asRecipe)
            return PrintAsRecipe(r, out, err);
        return Generate(r, out, err);
    } catch (const UsageError& e) {
        err << e.what() << '\n';
        return kExitUsage;
    } catch (const gen::FieldError& e) {
        // Refused before anything is written: standard output and the -o file stay untouched.
        err << "sitewright-gen: " << e.what() << '\n';
        return kExitUsage;
    }
}

} // namespace cli
