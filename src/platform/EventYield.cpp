#include "platform/EventYield.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace platform {

namespace {
int& pace()
{
    static int ms = 0;
    return ms;
}
} // namespace

void EventYield::now()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (pace() <= 0)
        return;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < pace()) {
        QThread::msleep(1);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

void EventYield::setPaceMs(int milliseconds)
{
    pace() = milliseconds;
}

} // namespace platform
