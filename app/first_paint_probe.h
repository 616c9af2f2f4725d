#pragma once

#include <QObject>

class QWidget;

// Measuring aid for the start-up benchmark: when the environment variable
// SITEWRIGHT_QUIT_AFTER_FIRST_PAINT is set, the program quits as soon as the watched window has
// been painted once, so the whole run measures the way to the first picture.
class FirstPaintProbe : public QObject
{
public:
    // Watches `window` when the variable is set; does nothing otherwise.
    static void InstallIfRequested(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FirstPaintProbe(QObject* parent) : QObject(parent) {}
};
