#include "headless_chromium.h"

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace
{

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> Arguments(const std::string& address, const std::filesystem::path& scratch,
                                   int virtualMilliseconds)
{
    return {SITEWRIGHT_CHROMIUM,
            "--headless",
            "--no-sandbox",
            "--disable-gpu",
            "--disable-quic",
            "--no-first-run",
            "--disable-background-networking",
            "--disable-component-update",
            "--disable-sync",
            "--user-data-dir=" + (scratch / "profile").string(),
            "--host-resolver-rules=MAP * 127.0.0.1",
            "--virtual-time-budget=" + std::to_string(virtualMilliseconds),
            "--dump-dom",
            address};
}

} // namespace

std::string DumpDom(const std::string& address, const std::filesystem::path& scratch,
                    int virtualMilliseconds)
{
    std::vector<std::string> args = Arguments(address, scratch, virtualMilliseconds);
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    const std::filesystem::path out = scratch / "dom.html";
    const std::filesystem::path err = scratch / "chromium.log";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    // A group of its own, so that whatever Chromium leaves behind can be ended at once.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + args[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    kill(-pid, SIGKILL);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("chromium failed; its output: " + ReadAll(err));
    return ReadAll(out);
}
