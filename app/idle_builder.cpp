#include "app/idle_builder.h"

#include <QEvent>
#include <QWidget>

IdleBuilder::IdleBuilder(QWidget& window, std::vector<Step> steps)
    : QObject(&window), steps_(std::move(steps))
{
    // A zero timer fires once per turn of the event loop, after the input already waiting.
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (!runNextStep())
            timer_.stop();
    });
    window.installEventFilter(this);
}

bool IdleBuilder::runNextStep()
{
    if (next_ == steps_.size())
        return false;
    const Step step = std::move(steps_[next_++]);
    try {
        step();
    } catch (...) {
        // Nothing asked for this work yet: the click that needs it does it again and reports
        // what goes wrong there, where the user expects a message.
    }
    return true;
}

bool IdleBuilder::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        // Started once the paint has been handled, behind whatever the paint itself queued.
        QTimer::singleShot(0, this, &IdleBuilder::start);
    }
    return false;
}

void IdleBuilder::start()
{
    if (stepsLeft() > 0)
        timer_.start();
}
