#include "app/application.h"
#include "app/code_window.h"
#include "app/main_window.h"

int main(int argc, char* argv[])
{
    SitewrightApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sitewright"));
    TForm2 mainWindow;
    TForm4 codeWindow;
    mainWindow.show();
    return app.exec();
}
