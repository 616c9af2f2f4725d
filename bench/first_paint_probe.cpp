#include "bench/first_paint_probe.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/page_layout.h"

namespace
{

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(QByteArrayView(text));
}

void Click(QWidget& widget)
{
    const QPointF at(widget.width() / 2.0, widget.height() / 2.0);
    const QPointF global = widget.mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&widget, &release);
}

QWidget* TopLevelNamed(const QString& name)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == name)
            return widget;
    return nullptr;
}

// How long the window stays idle between its first paint and the click.
int IdleMilliseconds()
{
    bool valid = false;
    const int ms = qEnvironmentVariableIntValue("SITEWRIGHT_BENCH_IDLE_MS", &valid);
    return valid && ms >= 0 ? ms : 500;
}

} // namespace

void FirstPaintProbe::InstallIfRequested(QWidget& window)
{
    if (qEnvironmentVariableIsEmpty("SITEWRIGHT_QUIT_AFTER_FIRST_PAINT"))
        return;
    window.installEventFilter(new FirstPaintProbe(window, qgetenv("SITEWRIGHT_BENCH_CLICK")));
}

FirstPaintProbe::FirstPaintProbe(QWidget& window, QByteArray click)
    : QObject(&window), window_(window), click_(std::move(click))
{
}

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Paint)
        return false;
    watched->removeEventFilter(this);
    if (watched == &window_ && !click_.isEmpty()) {
        // Click once the window has been idle for a while after its paint, as a user would.
        QTimer::singleShot(IdleMilliseconds(), this, &FirstPaintProbe::ClickAndWatch);
        return false;
    }
    // Quit once the paint has finished, not in the middle of it.
    QTimer::singleShot(0, this, [this, watched] {
        if (watched != &window_)
            std::printf("%.3f\n", static_cast<double>(clock_.nsecsElapsed()) / 1e6);
        QCoreApplication::quit();
    });
    return false;
}

void FirstPaintProbe::ClickAndWatch()
{
    const bool generate = click_ == "generate";
    if (!generate && click_ != "menu")
        return Fail("SITEWRIGHT_BENCH_CLICK is neither \"generate\" nor \"menu\"");
    auto* button = window_.findChild<QWidget*>(ToQString(
        generate ? pages::GenerateButtonName(1) : std::string(pages::PageLayoutOf(2).menuLine)));
    if (!button)
        return Fail("no control to click");
    clock_.start();
    Click(*button);
    // Looked up after the click: either may be made by it.
    QWidget* painted = generate ? TopLevelNamed(ToQString(pages::designed::kCodeWindow))
                                : window_.findChild<QWidget*>(ToQString(pages::PanelName(2)));
    if (!painted || !painted->isVisible())
        return Fail("the click showed nothing");
    painted->installEventFilter(this);
}

void FirstPaintProbe::Fail(const char* what)
{
    std::fprintf(stderr, "click benchmark: %s\n", what);
    std::exit(EXIT_FAILURE);
}
