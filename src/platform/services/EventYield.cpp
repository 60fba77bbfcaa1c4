#include "platform/services/EventYield.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace platform {

namespace {
struct Pace {
    qint64 nanoseconds = 0;
    QElapsedTimer clock;
    qint64 nextStep = 0; // on the clock, when the next step may go on
};

Pace& pace()
{
    static Pace p;
    return p;
}
} // namespace

void EventYield::now()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void EventYield::paced()
{
    now();
    Pace& p = pace();
    if (p.nanoseconds <= 0)
        return;
    if (!p.clock.isValid())
        p.clock.start();
    // A step that comes late (the first of a drawing, or one after a long
    // handler) goes on at once and starts the count afresh, instead of
    // rushing the next steps to catch up.
    const qint64 start = p.clock.nsecsElapsed();
    if (p.nextStep < start - p.nanoseconds)
        p.nextStep = start;
    for (qint64 left = p.nextStep - start; left > 0; left = p.nextStep - p.clock.nsecsElapsed()) {
        // Sleeps in short slices so events keep flowing while the step waits.
        QThread::usleep(quint64(qMin<qint64>(left / 1000, 500)));
        now();
    }
    p.nextStep += p.nanoseconds;
}

void EventYield::setPaceMs(int milliseconds)
{
    pace().nanoseconds = qint64(qMax(0, milliseconds)) * 1000 * 1000;
    pace().nextStep = 0;
}

} // namespace platform
