#pragma once

#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

#include "tests/support/temp_dir.h"

// Runs copies of the probe program in a fresh temporary folder and ends every process it saw.
// The test process adopts the detached programs the probes start (it is their sub-reaper), so
// it can end and reap them too.
class ProcessHarness
{
public:
    using Marker = std::map<std::string, std::string>;

    ProcessHarness();
    ~ProcessHarness();
    ProcessHarness(const ProcessHarness&) = delete;
    ProcessHarness& operator=(const ProcessHarness&) = delete;

    const std::string& Root() const { return root_; }
    const std::string& Home() const { return home_; }

    // Starts `program` with `arguments`, HOME set to Home() and standard error going to the
    // file StderrPath(). Returns its process id.
    pid_t Start(const std::string& program, const std::vector<std::string>& arguments);
    std::string StderrPath() const { return root_ + "/stderr.txt"; }

    // Waits until `count` probes have reported, for at most 20 seconds. The wait watches the
    // marker folder (inotify) rather than sleeping; it returns what is there at the deadline.
    std::vector<Marker> WaitForMarkers(std::size_t count);

    // Waits, for at most 20 seconds, for a process started by Start to end. Returns its exit
    // status, or -1 when it did not end in time.
    int WaitForExit(pid_t pid);

private:
    std::vector<Marker> ReadMarkers();
    void EndEverything();

    TempDir folder_;
    std::string root_ = folder_.path().string();
    std::string home_;
    std::string markers_;
    int watch_ = -1;
    std::vector<pid_t> started_;
};

// The probe program's own bytes.
std::string ProbeImage();
