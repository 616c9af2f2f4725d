#include "tests/support/virtual_display.h"

#include <QDeadlineTimer>
#include <QStandardPaths>

namespace
{

void Stop(QProcess& process)
{
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(VirtualDisplay::kDeadlineMs);
    }
}

} // namespace

VirtualDisplay::~VirtualDisplay()
{
    Stop(program_);
    Stop(server_);
}

bool VirtualDisplay::Available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty();
}

bool VirtualDisplay::Start(const QString& runtime)
{
    // Xvfb picks a free display itself and names it on the given descriptor, its output here.
    server_.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                           QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QStringList lines;
    if (!ReadUntil(server_, lines, [](const QStringList& l) { return !l.isEmpty(); }))
        return false;
    environment_ = QProcessEnvironment::systemEnvironment();
    environment_.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + lines.first());
    environment_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment_.insert(QStringLiteral("XDG_CONFIG_HOME"), runtime);
    // The X keyboard library hands strndup replies that are not terminated, which a sanitizer
    // build's strict string checks report before the program gets going.
    const QString asan = QStringLiteral("ASAN_OPTIONS");
    if (environment_.contains(asan))
        environment_.insert(asan, environment_.value(asan) + ":strict_string_checks=0");
    return true;
}

QProcess& VirtualDisplay::Launch(const QString& program)
{
    program_.setProcessEnvironment(environment_);
    program_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program_.start(program, QStringList());
    return program_;
}

bool VirtualDisplay::Xdotool(const QStringList& arguments) const
{
    QProcess xdotool;
    xdotool.setProcessEnvironment(environment_);
    xdotool.start(QStringLiteral("xdotool"), arguments);
    return xdotool.waitForFinished(kDeadlineMs) && xdotool.exitCode() == 0;
}

bool VirtualDisplay::ReadUntil(QProcess& process, QStringList& lines,
                               const std::function<bool(const QStringList&)>& done)
{
    const QDeadlineTimer deadline(kDeadlineMs);
    while (!done(lines)) {
        if (deadline.hasExpired() || process.state() == QProcess::NotRunning)
            return false;
        if (!process.canReadLine() && !process.waitForReadyRead(int(deadline.remainingTime())))
            continue;
        while (process.canReadLine())
            lines << QString::fromLatin1(process.readLine()).trimmed();
    }
    return true;
}
