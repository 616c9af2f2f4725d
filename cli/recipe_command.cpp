#include "cli/recipe_command.h"

#include <algorithm>
#include <stdexcept>

#include "cli/gen_command.h"
#include "cli/output_watch.h"
#include "generators/policy_sources.h"
#include "generators/stamp.h"
#include "platform/file_system.h"
#include "platform/output_path.h"
#include "platform/read_only_file.h"
#include "platform/staged_batch.h"
#include "recipe/recipe.h"
#include "recipe/recipe_check.h"
#include "recipe/recipe_reader.h"

namespace cli
{

namespace
{

struct RecipeRun {
    std::string file;
    bool dryRun = false;
};

// A refusal: the message goes to standard error and the run ends with kExitUsage.
struct Refusal : std::runtime_error {
    using std::runtime_error::runtime_error;
};

RecipeRun ParseArgs(const std::vector<std::string>& args)
{
    RecipeRun run;
    bool haveFile = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--dry-run") {
            run.dryRun = true;
        } else if (arg.rfind("--recipe=", 0) == 0 && !haveFile) {
            run.file = arg.substr(9);
            haveFile = true;
        } else if (arg == "--recipe" && !haveFile && i + 1 < args.size()) {
            run.file = args[++i];
            haveFile = true;
        } else {
            throw Refusal("sitewright-gen: unexpected argument '" + arg +
                          "' (usage: sitewright-gen --recipe FILE [--dry-run])");
        }
    }
    if (!haveFile || run.file.empty())
        throw Refusal("sitewright-gen: --recipe needs a FILE");
    return run;
}

// The recipe's bytes in chunks, read again for every pass over it, so a long recipe is never
// held whole. No more than the size it had when opened is read.
recipe::RecipeReader::Chunks FileChunks(const platform::ReadOnlyFile& input)
{
    // Refused by its size before a byte is read, so a huge file never fills memory.
    if (input.Size() > static_cast<std::int64_t>(recipe::kMaxRecipeBytes))
        throw recipe::RecipeError("", "the recipe is larger than 16 MB");
    const auto size = static_cast<std::size_t>(input.Size());
    return [&input, size](std::size_t offset) {
        if (offset >= size)
            return std::string();
        return input.ReadAt(static_cast<std::int64_t>(offset),
                            std::min(recipe::RecipeReader::kChunkBytes, size - offset));
    };
}

std::string OutputPath(const std::string& folder, const std::string& output)
{
    return folder + "/" + recipe::PlainOutputPath(output);
}

// The file system's part of the checks: no link on the way, and never the recipe itself.
void CheckOutput(const recipe::Entry& entry, std::size_t index, const RecipeRun& run,
                 const std::string& folder)
{
    if (!entry.output)
        return;
    const std::string place = "snippets[" + std::to_string(index) + "].output";
    std::string problem = platform::OutputPathProblem(folder, *entry.output);
    if (problem.empty() && platform::SameFile(OutputPath(folder, *entry.output), run.file))
        problem = "is the recipe itself";
    if (!problem.empty())
        throw recipe::RecipeError(place, problem);
}

// Every entry is checked before anything is written, holding one entry at a time.
void CheckEntries(const recipe::RecipeReader& reader, const RecipeRun& run,
                  const std::string& folder)
{
    recipe::EntryChecker checker;
    reader.ForEachEntry([&](const recipe::Entry& entry, std::size_t index) {
        checker.Check(entry, index);
        CheckOutput(entry, index, run, folder);
    });
}

std::string Snippet(const recipe::Entry& entry)
{
    const gen::GadgetEntry& gadget = recipe::GadgetOf(entry);
    const gen::FieldValues values = recipe::EntryValues(entry, gadget);
    if (entry.csp)
        return gen::PolicyText(gen::GenerateEdition(gadget, values, entry.edition), entry.edition);
    return (entry.stamp ? gen::StampedEdition(gadget, values, entry.edition)
                        : gen::GenerateEdition(gadget, values, entry.edition))
        .TextForm();
}

void ListPlan(const recipe::RecipeReader& reader, const std::string& folder, std::ostream& out)
{
    reader.ForEachEntry([&](const recipe::Entry& entry, std::size_t) {
        out << (entry.output ? OutputPath(folder, *entry.output) : "standard output") << ": "
            << entry.gadget << ", " << gen::EditionName(entry.edition) << ", "
            << Snippet(entry).size() << " bytes\n";
    });
}

int WriteAll(const recipe::RecipeReader& reader, const std::string& folder, std::ostream& out,
             std::ostream& err)
{
    platform::StagedBatch batch(platform::NewFileMode::Data);
    OutputWatch watch(out);
    try {
        reader.ForEachEntry([&](const recipe::Entry& entry, std::size_t) {
            const std::string bytes = Snippet(entry);
            if (entry.output)
                batch.Add(OutputPath(folder, *entry.output), bytes);
            else
                out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            watch.Check();
        });
        batch.Commit();
    } catch (const std::exception& e) {
        err << "sitewright-gen: " << e.what() << '\n';
        return kExitFailure;
    }
    return watch.Delivered(err) ? kExitOk : kExitFailure;
}

} // namespace

bool IsRecipeCommand(const std::vector<std::string>& args)
{
    // Only the first argument decides: a gadget's value may well read "--recipe".
    if (args.empty())
        return false;
    return args[0] == "--recipe" || args[0].rfind("--recipe=", 0) == 0 || args[0] == "--dry-run";
}

int RunRecipe(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    RecipeRun run;
    try {
        run = ParseArgs(args);
        const platform::ReadOnlyFile input(run.file);
        const recipe::RecipeReader reader(FileChunks(input));
        const std::string folder = platform::FolderOf(run.file);
        CheckEntries(reader, run, folder);
        if (run.dryRun) {
            OutputWatch watch(out);
            ListPlan(reader, folder, out);
            return watch.Delivered(err) ? kExitOk : kExitFailure;
        }
        return WriteAll(reader, folder, out, err);
    } catch (const Refusal& e) {
        err << e.what() << '\n';
    } catch (const recipe::RecipeError& e) {
        err << "sitewright-gen: " << run.file << ": " << e.what() << '\n';
    } catch (const std::exception& e) {
        // A file that cannot be read names itself; nothing has been written yet.
        err << "sitewright-gen: " << e.what() << '\n';
    }
    return kExitUsage;
}

int PrintAsRecipe(std::string_view gadget,
                  const std::vector<std::pair<std::string, std::string>>& given,
                  gen::Edition edition, const std::optional<std::string>& output, bool stamp,
                  bool csp, std::ostream& out, std::ostream& err)
{
    recipe::Entry entry;
    entry.gadget = std::string(gadget);
    entry.edition = edition;
    for (const auto& [option, value] : given)
        entry.SetValue(option, value);
    entry.output = output;
    entry.stamp = stamp;
    entry.csp = csp;
    recipe::Recipe r;
    r.snippets.push_back(std::move(entry));
    OutputWatch watch(out);
    try {
        recipe::CheckRecipe(r);
        out << recipe::WriteRecipe(r);
    } catch (const recipe::RecipeError& e) {
        err << "sitewright-gen: " << e.what() << '\n';
        return kExitUsage;
    }
    return watch.Delivered(err) ? kExitOk : kExitFailure;
}

} // namespace cli
