#include "app/application.h"
#include "app/branding_dump.h"
#include "app/code_window.h"
#include "app/main_window.h"

int main(int argc, char* argv[])
{
    SitewrightApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sitewright"));
    const bool dumpBranding = BrandingDumpRequested();
    if (dumpBranding)
        PrintReportedErrors();
    TForm2 mainWindow;
    TForm4 codeWindow;
    mainWindow.show();
    if (dumpBranding)
        DumpBrandingOnceShown(mainWindow);
    return app.exec();
}
