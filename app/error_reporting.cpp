#include "app/error_reporting.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>
#include <utility>

#include "generators/field_check.h"

namespace
{

ErrorReporter& CurrentReporter()
{
    static ErrorReporter reporter;
    return reporter;
}

void ShowErrorBox(const QString& title, const QString& message)
{
    QMessageBox::critical(QApplication::activeWindow(), title, message);
}

} // namespace

void ReportError(const QString& message)
{
    const QString title = QCoreApplication::applicationName();
    // A copy, so a reporter that replaces itself while running stays alive.
    const ErrorReporter reporter = CurrentReporter();
    if (reporter)
        reporter(title, message);
    else
        ShowErrorBox(title, message);
}

ScopedErrorReporter::ScopedErrorReporter(ErrorReporter reporter)
    : previous_(std::exchange(CurrentReporter(), std::move(reporter)))
{
}

ScopedErrorReporter::~ScopedErrorReporter()
{
    CurrentReporter() = std::move(previous_);
}

bool RunReportingErrors(const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const gen::FieldError& e) {
        // The window names its fields by caption; the option in what() is the command line's.
        ReportError(QString::fromStdString(e.CaptionMessage()));
    } catch (const std::exception& e) {
        ReportError(QString::fromUtf8(e.what()));
    } catch (...) {
        ReportError(QStringLiteral("An unexpected error occurred."));
    }
    return false;
}

std::function<void()> ReportingErrors(std::function<void()> handler)
{
    return [handler = std::move(handler)] { RunReportingErrors(handler); };
}
