#include "app/branding_dump.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/error_reporting.h"
#include "app/link_label.h"
#include "app/main_window.h"

namespace
{

void PrintLine(const char* name, const QString& value)
{
    std::printf("%s=[%s]\n", name, value.toUtf8().constData());
}

// A control's line is keyed by its object name, as the layout table gives it.
void PrintControlLine(const QWidget& control, const QString& value)
{
    PrintLine(control.objectName().toUtf8().constData(), value);
}

QString ImageSize(const QLabel& label)
{
    const QPixmap pixmap = label.pixmap();
    if (pixmap.isNull())
        return QStringLiteral("none");
    return QStringLiteral("%1x%2").arg(pixmap.width()).arg(pixmap.height());
}

} // namespace

bool BrandingDumpRequested()
{
    const char* value = std::getenv("SITEWRIGHT_DUMP_BRANDING");
    return value && std::strcmp(value, "1") == 0;
}

void PrintReportedErrors()
{
    // In place until the program ends.
    static const ScopedErrorReporter printing([](const QString& title, const QString& message) {
        PrintLine("errorTitle", title);
        PrintLine("error", message);
        std::fflush(stdout);
    });
}

void DumpBrandingOnceShown(const MainWindow& mainWindow)
{
    QTimer::singleShot(0, &mainWindow, [&mainWindow] {
        PrintLine("applicationName", QCoreApplication::applicationName());
        PrintLine("windowTitle", mainWindow.windowTitle());
        PrintLine("visible", mainWindow.isVisible() ? QStringLiteral("1") : QStringLiteral("0"));
        PrintControlLine(*mainWindow.titleLabel, mainWindow.titleLabel->text());
        PrintControlLine(*mainWindow.linkLine, mainWindow.linkLine->text());
        PrintLine("LinkUrl", QString::fromStdString(mainWindow.linkUrl()));
        PrintControlLine(*mainWindow.brandPicture, ImageSize(*mainWindow.brandPicture));
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
}
