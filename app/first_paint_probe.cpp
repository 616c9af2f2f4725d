#include "app/first_paint_probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

void FirstPaintProbe::InstallIfRequested(QWidget& window)
{
    if (qEnvironmentVariableIsEmpty("SITEWRIGHT_QUIT_AFTER_FIRST_PAINT"))
        return;
    window.installEventFilter(new FirstPaintProbe(&window));
}

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        // Quit once the paint has finished, not in the middle of it.
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    return false;
}
