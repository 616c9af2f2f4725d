// The program's start-up and page 1's Preview, for the test that runs an installed copy as an
// ordinary user. Reports on its standard output, a line each: "error <message>" for a reported
// error, "browser <parameter text>" for the browser it would start, and "cwd <folder>" at the end.
#include <cstdio>
#include <filesystem>

#include "app/application.h"
#include "app/code_window.h"
#include "app/error_reporting.h"
#include "app/main_window.h"
#include "platform/message_pump.h"
#include "platform/shell.h"
#include "startup/startup_relocation.h"

namespace
{

class PrintingShell final : public platform::Shell
{
public:
    void Execute(const platform::ShellRequest& request) override
    {
        std::printf("browser %s\n", request.parameters.c_str());
    }
};

} // namespace

int main(int argc, char** argv)
{
    SitewrightApplication app(argc, argv);
    platform::CallbackMessagePump pump([] { QCoreApplication::processEvents(); });
    if (!startup::RunStartupStep("", pump))
        return 1;
    const ScopedErrorReporter errors([](const QString&, const QString& message) {
        std::printf("error %s\n", message.toUtf8().constData());
    });
    PrintingShell shell;
    const platform::ScopedShell inPlace(shell);
    {
        MainWindow window;
        RunReportingErrors([&window] { window.previewClicked(1); });
    }
    std::printf("cwd %s\n", std::filesystem::current_path().c_str());
    return 0;
}
