#include "cli/from_command.h"

#include "cli/exit_status.h"
#include "cli/output_watch.h"
#include "platform/quoted_name.h"
#include "platform/read_only_file.h"
#include "recipe/recipe.h"
#include "sitecheck/stamped_recipe.h"

namespace cli
{

namespace
{

constexpr std::int64_t kLargestFile = 16 * 1024 * 1024;

std::string ReadFile(const std::string& path)
{
    const platform::ReadOnlyFile file(path);
    if (file.Size() > kLargestFile)
        throw std::runtime_error(platform::ShellQuotedName(path) + " is larger than 16 MB");
    return file.ReadAll();
}

} // namespace

int RunFrom(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 1) {
        err << "sitewright-gen: --from takes one file\n";
        return kExitUsage;
    }
    std::string text;
    try {
        text = ReadFile(args[0]);
    } catch (const std::exception& e) {
        err << "sitewright-gen: " << e.what() << '\n';
        return kExitUsage;
    }
    const recipe::Recipe recipe = sitecheck::StampedRecipe(text);
    if (recipe.snippets.empty()) {
        err << "sitewright-gen: " << platform::ShellQuotedName(args[0])
            << " holds no stamped snippet\n";
        return kExitFailure;
    }
    std::string bytes;
    try {
        bytes = recipe::WriteRecipe(recipe);
    } catch (const recipe::RecipeError&) {
        // Replacing the bytes would print a recipe that regenerates other snippets.
        err << "sitewright-gen: " << args[0]
            << ": a stamped value is not UTF-8, which a recipe cannot hold\n";
        return kExitUsage;
    }
    OutputWatch watch(out);
    out << bytes;
    return watch.Delivered(err) ? kExitOk : kExitFailure;
}

} // namespace cli
