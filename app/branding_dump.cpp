#include "app/branding_dump.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/click_label.h"
#include "app/error_reporting.h"
#include "app/main_window.h"

namespace
{

void PrintLine(const char* name, const QString& value)
{
    std::printf("%s=[%s]\n", name, value.toUtf8().constData());
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

void DumpBrandingOnceShown(const MainWindow& form)
{
    QTimer::singleShot(0, &form, [&form] {
        PrintLine("applicationName", QCoreApplication::applicationName());
        PrintLine("windowTitle", form.windowTitle());
        PrintLine("visible", form.isVisible() ? QStringLiteral("1") : QStringLiteral("0"));
        PrintLine("Label56", form.titleLabel->text());
        PrintLine("lblTextLink", form.linkLine->text());
        PrintLine("LinkUrl", QString::fromStdString(form.linkUrl()));
        PrintLine("imgSBIMG", ImageSize(*form.brandPicture));
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
}
