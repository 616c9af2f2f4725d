#pragma once

#include <QString>
#include <functional>

// How an error that escapes an event handler reaches the user: the standard error box, titled
// with the application title (QCoreApplication::applicationName()), showing the error's message.
// The program goes on afterwards.

// Shows `message` the way the application reports errors.
void ReportError(const QString& message);

// Receives every reported error instead of the message box; takes the title and the message.
using ErrorReporter = std::function<void(const QString& title, const QString& message)>;

// Puts `reporter` in place of the current one while it lives (an empty one means the message
// box), and puts the one it replaced back when it ends. Scopes nest. Tests use it so that no
// modal box blocks them.
class ScopedErrorReporter
{
public:
    explicit ScopedErrorReporter(ErrorReporter reporter);
    ~ScopedErrorReporter();
    ScopedErrorReporter(const ScopedErrorReporter&) = delete;
    ScopedErrorReporter& operator=(const ScopedErrorReporter&) = delete;

private:
    ErrorReporter previous_;
};

// Runs `handler`; an exception it throws is reported, not passed on. Returns whether the handler
// finished without one.
bool RunReportingErrors(const std::function<void()>& handler);

// `handler` made ready to connect to a signal: each run reports what it throws, so an error is
// shown where it happens and never travels through Qt's own frames.
std::function<void()> ReportingErrors(std::function<void()> handler);
