// Stands in for the program in the process tests: runs the start-up pass on the real system,
// reports what it saw in a marker file, and then either ends (when the pass asked for that) or
// stays up like a program showing its windows until the test ends it.

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "platform/executable_path.h"
#include "platform/message_pump.h"
#include "startup/startup_relocation.h"

namespace
{

// The marker is written under a passing name and then renamed, so that a watcher sees it whole.
void WriteMarker(int argc, const char* argument, bool quit)
{
    const char* folder = std::getenv("SITEWRIGHT_PROBE_MARKERS");
    if (!folder)
        return;
    char cwd[PATH_MAX] = {};
    if (!getcwd(cwd, sizeof cwd))
        cwd[0] = '\0';
    const std::string name = std::string(folder) + "/" + std::to_string(getpid());
    std::FILE* file = std::fopen((name + ".part").c_str(), "w");
    if (!file)
        return;
    std::fprintf(file, "pid=%d\nsid=%d\nexe=%s\nargc=%d\narg=%s\nquit=%d\ncwd=%s\n",
                 static_cast<int>(getpid()), static_cast<int>(getsid(0)),
                 platform::ExecutablePath().c_str(), argc, argument, quit ? 1 : 0, cwd);
    std::fclose(file);
    std::rename((name + ".part").c_str(), name.c_str());
}

} // namespace

int main(int argc, char* argv[])
{
    platform::CallbackMessagePump pump;
    const char* argument = argc > 1 ? argv[1] : "";
    if (!startup::RunStartupStep(argument, pump))
        return EXIT_FAILURE;
    WriteMarker(argc, argument, pump.QuitRequested());
    if (pump.QuitRequested())
        return EXIT_SUCCESS;
    // A probe that its test forgot still ends by itself.
    alarm(120);
    for (;;)
        pause();
}
