// The main window for the window-system key test. Once the window is active it reports the page
// shown then, and again whenever the shown page changes, on its standard output: "page N".
#include <QTimer>
#include <cstdio>

#include "app/application.h"
#include "app/main_window.h"

int main(int argc, char** argv)
{
    SitewrightApplication app(argc, argv);
    MainWindow window;
    window.show();
    int shown = -1;
    // Without a window manager the window has to ask for the focus until it has it.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (shown < 0) {
            if (!window.isActiveWindow()) {
                window.activateWindow();
                return;
            }
            shown = window.visiblePage();
            std::printf("page %d\n", shown);
        } else if (window.visiblePage() != shown) {
            shown = window.visiblePage();
            std::printf("page %d\n", shown);
        }
        std::fflush(stdout);
    });
    watch.start(10);
    return app.exec();
}
