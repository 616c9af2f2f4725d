#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <functional>

// A virtual X server of its own for a test that needs real window-system events, and the
// processes around it. Everything it started is stopped when it goes, so nothing outlives a
// failed check.
class VirtualDisplay
{
public:
    static constexpr int kDeadlineMs = 20000;

    VirtualDisplay() = default;
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // True when Xvfb and xdotool are installed; a test skips without them.
    static bool Available();

    // Starts Xvfb on a free display. Environment() is then the system's with DISPLAY set, the xcb
    // platform, and `runtime` as the runtime and configuration folder.
    bool Start(const QString& runtime);
    const QProcessEnvironment& Environment() const { return environment_; }

    // Starts `program` on the display, its error output forwarded, its output to be read.
    QProcess& Launch(const QString& program);

    // Runs xdotool on the display and tells whether it succeeded.
    bool Xdotool(const QStringList& arguments) const;

    // Reads whole lines of `process`'s output into `lines` until `done` holds for them or the
    // deadline passes.
    static bool ReadUntil(QProcess& process, QStringList& lines,
                          const std::function<bool(const QStringList&)>& done);

private:
    QProcess server_;
    QProcess program_;
    QProcessEnvironment environment_;
};
