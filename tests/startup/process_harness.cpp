#include "process_harness.h"

#include "tests/support/file_bytes.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <sstream>
#include <sys/inotify.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

constexpr auto kDeadline = std::chrono::seconds(20);

int RemainingMs(std::chrono::steady_clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

ProcessHarness::Marker ParseMarker(const std::string& text)
{
    ProcessHarness::Marker marker;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos)
            marker[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return marker;
}

} // namespace

ProcessHarness::ProcessHarness()
{
    home_ = root_ + "/home";
    markers_ = root_ + "/markers";
    std::filesystem::create_directory(home_);
    std::filesystem::create_directory(markers_);
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    watch_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    inotify_add_watch(watch_, markers_.c_str(), IN_MOVED_TO | IN_CLOSE_WRITE);
}

ProcessHarness::~ProcessHarness()
{
    EndEverything();
    close(watch_);
}

pid_t ProcessHarness::Start(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const std::string err = StderrPath();
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("HOME", home_.c_str(), 1);
        setenv("SITEWRIGHT_PROBE_MARKERS", markers_.c_str(), 1);
        const int fd = open(err.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (fd >= 0)
            dup2(fd, STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    started_.push_back(pid);
    return pid;
}

std::vector<ProcessHarness::Marker> ProcessHarness::ReadMarkers()
{
    std::vector<Marker> markers;
    for (const auto& entry : std::filesystem::directory_iterator(markers_))
        if (entry.path().extension() != ".part")
            markers.push_back(ParseMarker(ReadBytes(entry.path().string())));
    return markers;
}

std::vector<ProcessHarness::Marker> ProcessHarness::WaitForMarkers(std::size_t count)
{
    const auto deadline = std::chrono::steady_clock::now() + kDeadline;
    for (;;) {
        std::vector<Marker> markers = ReadMarkers();
        const int left = RemainingMs(deadline);
        if (markers.size() >= count || left == 0)
            return markers;
        pollfd event{watch_, POLLIN, 0};
        poll(&event, 1, left);
        char drain[4096];
        while (read(watch_, drain, sizeof drain) > 0) {
        }
    }
}

int ProcessHarness::WaitForExit(pid_t pid)
{
    const int handle = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    if (handle >= 0) {
        pollfd event{handle, POLLIN, 0};
        poll(&event, 1, static_cast<int>(kDeadline / std::chrono::milliseconds(1)));
        close(handle);
    }
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Ends the processes started here and those the probes reported, each by its id, and reaps them.
void ProcessHarness::EndEverything()
{
    std::vector<pid_t> pids = started_;
    for (const Marker& marker : ReadMarkers())
        if (marker.count("pid"))
            pids.push_back(static_cast<pid_t>(std::atoi(marker.at("pid").c_str())));
    for (pid_t pid : pids) {
        // Only a living child of ours is ended: a reaped id may already name someone else.
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) != 0)
            continue;
        kill(pid, SIGKILL);
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
}

std::string ProbeImage()
{
    return ReadBytes(RELOCATION_PROBE);
}
