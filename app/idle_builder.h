#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <vector>

class QWidget;

// Does, while the program is idle after the watched window's first paint, work that a later
// click would otherwise do on the spot. One step runs per turn of the event loop, so a click or
// key that arrives meanwhile waits behind one step at most; steps should be short for that
// reason. Nothing runs before the first paint, so start-up is not lengthened.
class IdleBuilder : public QObject
{
public:
    using Step = std::function<void()>;

    // Owned by `window`; stops with it.
    IdleBuilder(QWidget& window, std::vector<Step> steps);

    // Runs the next step now; false when none was left.
    bool runNextStep();
    // The steps not run yet.
    std::size_t stepsLeft() const { return steps_.size() - next_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void start();

    std::vector<Step> steps_;
    std::size_t next_ = 0;
    QTimer timer_;
};
