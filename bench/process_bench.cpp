// Times two commands as whole processes, run alternately so both see the same machine state.
//
//   bench-process [--printed | --cpu] RUNS -- OURS [ARGS...] -- FLOOR [ARGS...]
//
// prints one line: median wall milliseconds of each, then median peak resident kilobytes of
// each. With --printed the milliseconds are instead the medians of the number each command
// prints on standard output (a time it measured itself); with --cpu, of the processor time
// (user and system) each took, which other work on the machine does not stretch. Standard output
// and error of the commands are otherwise discarded; a command that fails ends the run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace
{

struct Sample {
    double ms;
    long rssKb;
};

// The first number `fd` delivers up to its end; a command that prints none ends the run.
double ReadPrintedNumber(int fd, const char* command)
{
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str()) {
        std::fprintf(stderr, "bench-process: %s printed no figure\n", command);
        std::exit(1);
    }
    return value;
}

double CpuMs(const rusage& usage)
{
    const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

Sample RunOnce(const std::vector<char*>& argv, bool printed = false, bool cpu = false)
{
    int out[2] = {-1, -1};
    if (printed && pipe(out) != 0) {
        std::perror("bench-process: pipe");
        std::exit(1);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (printed) {
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        posix_spawn_file_actions_addclose(&actions, out[1]);
    } else {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "bench-process: cannot start %s\n", argv[0]);
        std::exit(1);
    }
    double printedMs = 0;
    if (printed) {
        close(out[1]);
        printedMs = ReadPrintedNumber(out[0], argv[0]);
        close(out[0]);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "bench-process: %s failed (status %d)\n", argv[0], status);
        std::exit(1);
    }
    const double wallMs = std::chrono::duration<double, std::milli>(end - start).count();
    return {printed ? printedMs : cpu ? CpuMs(usage) : wallMs, usage.ru_maxrss};
}

template <typename T> T Median(std::vector<T> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    const bool printed = argc > 1 && std::string(argv[1]) == "--printed";
    const bool cpu = argc > 1 && std::string(argv[1]) == "--cpu";
    const int first = printed || cpu ? 2 : 1;
    std::vector<std::vector<char*>> commands;
    for (int i = first + 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--") {
            commands.emplace_back();
            continue;
        }
        if (!commands.empty())
            commands.back().push_back(argv[i]);
    }
    const int runs = argc > first ? std::atoi(argv[first]) : 0;
    if (runs < 1 || commands.size() != 2 || commands[0].empty() || commands[1].empty()) {
        std::fprintf(
            stderr,
            "usage: bench-process [--printed | --cpu] RUNS -- OURS [ARGS...] -- FLOOR [ARGS...]\n");
        return 2;
    }
    for (auto& c : commands)
        c.push_back(nullptr);

    RunOnce(commands[0], printed); // warm the page cache for both
    RunOnce(commands[1], printed);
    std::vector<double> ms[2];
    std::vector<long> rss[2];
    for (int r = 0; r < runs; ++r)
        for (int c = 0; c < 2; ++c) {
            const Sample s = RunOnce(commands[c], printed, cpu);
            ms[c].push_back(s.ms);
            rss[c].push_back(s.rssKb);
        }
    std::printf("%.3f %.3f %ld %ld\n", Median(ms[0]), Median(ms[1]), Median(rss[0]),
                Median(rss[1]));
    return 0;
}
