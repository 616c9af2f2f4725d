#include "app/program_run.h"

#include <QMetaObject>
#include <cstdlib>
#include <string>

#include "app/application.h"
#include "app/branding_dump.h"
#include "app/idle_steps.h"
#include "app/instance_slot.h"
#include "app/main_window.h"
#include "platform/message_pump.h"
#include "platform/standard_streams.h"
#include "startup/startup_relocation.h"

int RunProgram(int& argc, char** argv, const std::function<void(QWidget&)>& watch)
{
    // Only after the options' answers: --version into a closed stream must still fail.
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
    SetWindowOffset(slot.offset());
    const bool dumpBranding = BrandingDumpRequested();
    if (dumpBranding)
        PrintReportedErrors();
    MainWindow mainWindow;
    new IdleBuilder(mainWindow, MainWindowIdleSteps(mainWindow));
    if (watch)
        watch(mainWindow);
    mainWindow.show();
    if (dumpBranding)
        DumpBrandingOnceShown(mainWindow);
    if (pump.QuitRequested())
        QMetaObject::invokeMethod(&app, &QCoreApplication::quit, Qt::QueuedConnection);
    return app.exec();
}
