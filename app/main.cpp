#include <QMetaObject>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/application.h"
#include "app/branding_dump.h"
#include "app/first_paint_probe.h"
#include "app/idle_steps.h"
#include "app/instance_slot.h"
#include "app/main_window.h"
#include "app/program_options.h"
#include "platform/message_pump.h"
#include "platform/standard_streams.h"
#include "startup/startup_relocation.h"

int main(int argc, char* argv[])
{
    // Answered before the application object, which would need a display.
    if (const std::optional<int> status = AnswerProgramOptions(argc, argv))
        return *status;
    // Only after those answers: --version into a closed stream must still fail.
    platform::OpenClosedStandardStreams();
    // The handover's argument is the first one as given; the application object removes the
    // toolkit's own options from argv, which would shift a later argument into first place.
    const std::string firstArgument = argc > 1 ? argv[1] : "";
    SitewrightApplication app(argc, argv);

    // The start-up pass may start another copy and ask this one to end; the request is kept
    // until the event loop runs, because the pass's own waits process events before that.
    platform::CallbackMessagePump pump([] { QCoreApplication::processEvents(); });
    if (!startup::RunStartupStep(firstArgument, pump))
        return EXIT_FAILURE;

    QApplication::setApplicationName(QStringLiteral("Sitewright"));
    const InstanceSlot slot(InstanceFolder());
    SetWindowOffset(slot.Offset());
    const bool dumpBranding = BrandingDumpRequested();
    if (dumpBranding)
        PrintReportedErrors();
    MainWindow mainWindow;
    new IdleBuilder(mainWindow, MainWindowIdleSteps(mainWindow));
    FirstPaintProbe::InstallIfRequested(mainWindow);
    mainWindow.show();
    if (dumpBranding)
        DumpBrandingOnceShown(mainWindow);
    if (pump.QuitRequested())
        QMetaObject::invokeMethod(&app, &QCoreApplication::quit, Qt::QueuedConnection);
    return app.exec();
}
