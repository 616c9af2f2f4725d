// One focused XpButton for the window-system key test. It reports on its standard output, a
// line each: "ready" once the button holds the focus of the active window, "press" for every
// key press and "release" for every key release the button receives, and "click" for every
// click.
#include "widgets/xp_button.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

namespace
{

void Report(const char* line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}

// Watches the button's key events without taking them.
class KeyReporter : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress)
            Report("press");
        else if (event->type() == QEvent::KeyRelease)
            Report("release");
        return false;
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setGeometry(0, 0, 200, 80);
    auto* button = new XpButton(&window);
    button->setGeometry(10, 10, 89, 25);
    KeyReporter reporter;
    button->installEventFilter(&reporter);
    QObject::connect(button, &XpButton::clicked, [] { Report("click"); });
    window.show();
    // Without a window manager the window has to ask for the focus until it has it.
    QTimer readiness;
    QObject::connect(&readiness, &QTimer::timeout, [&] {
        if (!window.isActiveWindow() || !button->hasFocus()) {
            window.activateWindow();
            button->setFocus();
            return;
        }
        readiness.stop();
        Report("ready");
    });
    readiness.start(20);
    return app.exec();
}
