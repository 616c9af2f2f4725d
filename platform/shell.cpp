#include "platform/shell.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace platform
{

namespace
{

Shell* g_replacement = nullptr;

bool IsBrowserName(std::string_view file)
{
    const std::size_t slash = file.find_last_of("/\\");
    if (slash != std::string_view::npos)
        file.remove_prefix(slash + 1);
    constexpr std::string_view kBrowser = "iexplore.exe";
    return std::equal(
        file.begin(), file.end(), kBrowser.begin(), kBrowser.end(),
        [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

// Starts argv[0] with the given arguments so that it outlives us and leaves no zombie: the
// intermediate child starts a new session, forks the real program and exits at once.
void SpawnDetached(const std::vector<std::string>& args, const std::string& directory)
{
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child < 0)
        return;
    if (child == 0) {
        setsid();
        if (fork() == 0) {
            if (!directory.empty() && chdir(directory.c_str()) != 0)
                _exit(127);
            execvp(argv[0], argv.data());
            _exit(127);
        }
        _exit(0);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

} // namespace

void OpenInBrowser(const void* owner, std::string_view address)
{
    ShellExecute(owner, "open", "iexplore.exe", "-new " + std::string(address) + " ", "",
                 kShowNormal);
}

std::string BrowserAddress(std::string_view parameters)
{
    constexpr std::string_view kNew = "-new ";
    if (parameters.substr(0, kNew.size()) == kNew)
        parameters.remove_prefix(kNew.size());
    while (!parameters.empty() && parameters.front() == ' ')
        parameters.remove_prefix(1);
    while (!parameters.empty() && parameters.back() == ' ')
        parameters.remove_suffix(1);
    return std::string(parameters);
}

void PosixShell::Execute(const ShellRequest& request)
{
    if (IsBrowserName(request.file)) {
        const std::string address = BrowserAddress(request.parameters);
        if (!address.empty())
            SpawnDetached({"xdg-open", address}, request.directory);
        return;
    }
    std::vector<std::string> args{request.file};
    if (!request.parameters.empty())
        args.push_back(request.parameters);
    SpawnDetached(args, request.directory);
}

Shell& CurrentShell()
{
    static PosixShell system;
    return g_replacement ? *g_replacement : system;
}

ScopedShell::ScopedShell(Shell& shell) : previous_(std::exchange(g_replacement, &shell)) {}

ScopedShell::~ScopedShell()
{
    g_replacement = previous_;
}

void ShellExecute(const void* owner, std::string_view verb, std::string_view file,
                  std::string_view parameters, std::string_view directory, int showCommand)
{
    CurrentShell().Execute({owner, std::string(verb), std::string(file), std::string(parameters),
                            std::string(directory), showCommand});
}

} // namespace platform
