#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>

class QWidget;

// Measuring aid for the benchmarks. When the environment variable
// SITEWRIGHT_QUIT_AFTER_FIRST_PAINT is set, the program quits as soon as the watched window has
// been painted once, so the whole run measures the way to the first picture.
//
// When SITEWRIGHT_BENCH_CLICK is "generate" or "menu" as well, the probe then waits until the
// window has been idle for SITEWRIGHT_BENCH_IDLE_MS milliseconds (500 without it), clicks page 1's
// Generate Code button or the menu line of page 2, prints the milliseconds
// from the click to the end of the first paint of the code window or of page 2 on standard
// output, and quits.
class FirstPaintProbe : public QObject
{
public:
    // Watches `window` when the variable is set; does nothing otherwise.
    static void InstallIfRequested(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FirstPaintProbe(QWidget& window, QByteArray click);

    void ClickAndWatch();
    void Fail(const char* what);

    QWidget& window_;
    const QByteArray click_;
    QElapsedTimer clock_;
};
