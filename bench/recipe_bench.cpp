// Recipe figures for scripts/bench.sh, each beside its floor, as lines "name ours floor":
//
//   bench-recipe SITEWRIGHT_GEN ENTRIES FOLDER
//
// - one "sitewright-gen --recipe" run of ENTRIES entries (every gadget in both editions, each to
//   a file of its own) against ENTRIES separate sitewright-gen runs of the same entries, and
//   against writing the same bytes to the same files with the same batch of staged replaces;
// - peak resident memory of a recipe run to standard output at 1,000 and 100,000 entries.
// Milliseconds of wall time and kilobytes; FOLDER is scratch space, emptied first.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "bench/bench_recipe.h"
#include "generators/edition.h"
#include "generators/gadget_table.h"
#include "platform/staged_batch.h"
#include "recipe/recipe.h"
#include "tests/support/file_bytes.h"

extern char** environ;

namespace
{

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Runs the command, its standard output to /dev/null.
void Run(std::vector<std::string> args)
{
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        std::perror("bench-recipe: spawn");
        std::exit(1);
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "bench-recipe: %s failed\n", argv[0]);
        std::exit(1);
    }
}

// Peak resident kilobytes of the command itself (its standard output to /dev/null), read from
// VmHWM as it exits. The rusage of a spawned child also counts the memory of the process it was
// spawned from, which here holds the whole benchmark recipe and would hide the figure.
long PeakMemory(std::vector<std::string> args)
{
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    long peak = -1;
    int status = 0;
    waitpid(pid, &status, 0); // stopped at its start
    ptrace(PTRACE_SETOPTIONS, pid, nullptr, PTRACE_O_TRACEEXIT);
    ptrace(PTRACE_CONT, pid, nullptr, nullptr);
    while (waitpid(pid, &status, 0) == pid && WIFSTOPPED(status)) {
        int signal = WSTOPSIG(status);
        if (status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8))) {
            std::ifstream proc("/proc/" + std::to_string(pid) + "/status");
            for (std::string line; std::getline(proc, line);)
                if (line.rfind("VmHWM:", 0) == 0)
                    peak = std::stol(line.substr(6));
            signal = 0;
        }
        ptrace(PTRACE_CONT, pid, nullptr, signal);
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || peak < 0) {
        std::fprintf(stderr, "bench-recipe: %s failed\n", argv[0]);
        std::exit(1);
    }
    return peak;
}

template <typename F> double Millis(F&& work)
{
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string Fresh(const std::string& folder, const recipe::Recipe& r)
{
    fs::remove_all(folder);
    fs::create_directories(folder + "/out");
    const std::string file = folder + "/site.json";
    WriteBytes(file, recipe::WriteRecipe(r));
    return file;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: bench-recipe SITEWRIGHT_GEN ENTRIES FOLDER\n");
        return 2;
    }
    const std::string gen = argv[1];
    const std::size_t entries = std::stoul(argv[2]);
    const std::string folder = argv[3];
    const recipe::Recipe r = BenchRecipe(entries, true);

    std::string file = Fresh(folder, r);
    const double oneRun = Millis([&] { Run({gen, "--recipe", file}); });
    std::vector<std::string> bytes;
    for (std::size_t i = 0; i < entries; ++i)
        bytes.push_back(ReadBytes(folder + "/" + *r.snippets[i].output));
    // The same batch replace as the run, into the same fresh folder, so the floor differs from
    // it only by the parsing and generating: replacing files that are there costs the file
    // system more than writing new ones.
    file = Fresh(folder, r);
    const double writeOnly = Millis([&] {
        const platform::BoundFolder root(folder, folder);
        platform::StagedBatch batch(root, platform::NewFileMode::Data);
        for (std::size_t i = 0; i < entries; ++i)
            batch.Add(*r.snippets[i].output, bytes[i]);
        batch.Commit();
    });
    file = Fresh(folder, r);
    const double separate = Millis([&] {
        for (const recipe::Entry& e : r.snippets)
            Run({gen, e.gadget, "--edition", std::string(gen::EditionName(e.edition)), "-o",
                 folder + "/" + *e.output});
    });
    std::printf("recipe-vs-runs %.1f %.1f\n", oneRun, separate);
    std::printf("recipe-vs-writes %.1f %.1f\n", oneRun, writeOnly);

    file = Fresh(folder, BenchRecipe(1000, false));
    const long small = PeakMemory({gen, "--recipe", file});
    file = Fresh(folder, BenchRecipe(recipe::kMaxEntries, false));
    const long large = PeakMemory({gen, "--recipe", file});
    std::printf("memory-100k-vs-1k %ld %ld\n", large, small);
    fs::remove_all(folder);
    return 0;
}
