#include "app/application.h"

#include "app/error_reporting.h"

SitewrightApplication::SitewrightApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool SitewrightApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    RunReportingErrors([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
