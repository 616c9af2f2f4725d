#include "cli/recipe_command.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "cli/exit_status.h"
#include "cli/output_watch.h"
#include "generators/policy_sources.h"
#include "generators/stamp.h"
#include "platform/bound_folder.h"
#include "platform/file_system.h"
#include "platform/output_path.h"
#include "platform/quoted_name.h"
#include "platform/read_only_file.h"
#include "platform/scratch_file.h"
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

// Refused by its size before a byte is read, so a huge file never fills memory.
void CheckSize(const platform::ReadOnlyFile& input)
{
    if (input.Size() > static_cast<std::int64_t>(recipe::kMaxRecipeBytes))
        throw recipe::RecipeError("", "the recipe is larger than 16 MB");
}

// The recipe's bytes in chunks, so a long recipe is never held whole. They come from a private
// copy, so the parse reads the bytes the first look at them read.
recipe::RecipeReader::Chunks FileChunks(const platform::ReadOnlyFile& input)
{
    const auto size = static_cast<std::size_t>(input.Size());
    return [&input, size](std::size_t offset) {
        if (offset >= size)
            return std::string();
        return input.ReadAt(static_cast<std::int64_t>(offset),
                            std::min(recipe::RecipeReader::kChunkBytes, size - offset));
    };
}

// The entries wait for the passes after the parse in a file outside the process's memory.
class ScratchStore : public recipe::SpoolStore
{
public:
    void Append(std::string_view bytes) override { file_.Append(bytes); }
    std::string ReadAt(std::uint64_t offset, std::size_t count) const override
    {
        return file_.ReadAt(offset, count);
    }

private:
    platform::ScratchFile file_;
};

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

// Every entry is checked before anything is written, holding one entry at a time. Returns how
// many entries name an output file.
std::size_t CheckEntries(const recipe::RecipeReader& reader, const RecipeRun& run,
                         const std::string& folder)
{
    recipe::EntryChecker checker;
    std::size_t outputs = 0;
    reader.ForEachEntry([&](const recipe::Entry& entry, std::size_t index) {
        checker.Check(entry, index);
        CheckOutput(entry, index, run, folder);
        outputs += entry.output.has_value();
    });
    return outputs;
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
        out << (entry.output ? platform::ShellQuotedName(OutputPath(folder, *entry.output))
                             : "standard output")
            << ": " << entry.gadget << ", " << gen::EditionName(entry.edition) << ", "
            << Snippet(entry).size() << " bytes\n";
    });
}

void ReportReplaced(const platform::StagedBatch& batch, std::ostream& err)
{
    if (batch.Replaced().empty()) {
        err << "sitewright-gen: nothing was replaced\n";
        return;
    }
    err << "sitewright-gen: these " << batch.Replaced().size()
        << " files were replaced before the failure, the rest are as they were:\n";
    for (const std::string& file : batch.Replaced())
        err << "  " << platform::ShellQuotedName(file) << '\n';
}

void PrintSnippets(const recipe::RecipeReader& reader, std::ostream& out)
{
    reader.ForEachEntry([&](const recipe::Entry& entry, std::size_t) {
        if (entry.output)
            return;
        const std::string bytes = Snippet(entry);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    });
}

// Every output is staged before any is moved into place, and standard output gets its snippets
// only once all are in place, so a failure part way shows nothing as done that was not. A pass
// with nothing to do is left out.
int WriteAll(const recipe::RecipeReader& reader, const RecipeRun& run, std::size_t outputs,
             const platform::BoundFolder& root, std::ostream& out, std::ostream& err)
{
    platform::StagedBatch batch(root, platform::NewFileMode::Data);
    OutputWatch watch(out);
    try {
        if (outputs > 0)
            reader.ForEachEntry([&](const recipe::Entry& entry, std::size_t) {
                if (entry.output)
                    batch.Add(recipe::PlainOutputPath(*entry.output), Snippet(entry));
            });
        batch.Commit();
        if (outputs < reader.Count())
            PrintSnippets(reader, out);
    } catch (const recipe::RecipeError& e) {
        err << "sitewright-gen: " << platform::ShellQuotedName(run.file) << ": " << e.what()
            << '\n';
        ReportReplaced(batch, err);
        return kExitFailure;
    } catch (const std::exception& e) {
        err << "sitewright-gen: " << e.what() << '\n';
        ReportReplaced(batch, err);
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
        const platform::ReadOnlyFile file(run.file);
        CheckSize(file);
        const platform::ReadOnlyFile input = file.PrivateCopy();
        // Kept keys are of no use to a run: they are checked, and not kept.
        const recipe::RecipeReader reader(FileChunks(input), std::make_unique<ScratchStore>(),
                                          false);
        const std::string folder = platform::FolderOf(run.file);
        // Held from the checks to the writes: outputs are reached from this very folder.
        const platform::BoundFolder root(folder, run.file);
        const std::size_t outputs = CheckEntries(reader, run, folder);
        if (run.dryRun) {
            OutputWatch watch(out);
            ListPlan(reader, folder, out);
            return watch.Delivered(err) ? kExitOk : kExitFailure;
        }
        return WriteAll(reader, run, outputs, root, out, err);
    } catch (const Refusal& e) {
        err << e.what() << '\n';
    } catch (const recipe::RecipeError& e) {
        err << "sitewright-gen: " << platform::ShellQuotedName(run.file) << ": " << e.what()
            << '\n';
    } catch (const std::exception& e) {
        // A file that cannot be read names itself; nothing has been written yet.
        err << "sitewright-gen: " << e.what() << '\n';
    }
    return kExitUsage;
}

} // namespace cli
