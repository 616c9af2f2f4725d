#include "app/application.h"

#include "app/error_reporting.h"
#include "app/lazy_file_icon.h"

#include <QIcon>

namespace
{

// The installed icon's sizes, so window managers and task bars need not scale one picture.
// They are decoded when a window system first asks for them, not at start-up, where decoding all
// seven took a tenth of the time to the first paint.
QIcon ProgramIcon()
{
    QList<LazyFileIconEngine::SizedFile> files;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        files.append(
            {QSize(size, size), QStringLiteral(":/sitewright/icons/sitewright-%1.png").arg(size)});
    return QIcon(new LazyFileIconEngine(std::move(files)));
}

} // namespace

SitewrightApplication::SitewrightApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // Every window without its own icon shows the application's: the main and the code window.
    setWindowIcon(ProgramIcon());
    // Lets the desktop match the windows with the installed menu entry and its icon.
    setDesktopFileName(QStringLiteral("com.example.Sitewright"));
}

bool SitewrightApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    RunReportingErrors([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
