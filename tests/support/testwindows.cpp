#include "testwindows.h"

#include "host/runtime/runtime.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <QTimer>

namespace testwindows {

void turnTheEventLoop()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QThread::msleep(1);
}

void pump(int ms)
{
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
}

void later(int ms, std::function<void()> action)
{
    QTimer::singleShot(ms, qApp, std::move(action));
}

host::Rect rectOf(host::UnitRef unit)
{
    using namespace host;
    return Rect{readProperty(unit, prop::left).toInt(), readProperty(unit, prop::top).toInt(),
                readProperty(unit, prop::width).toInt(), readProperty(unit, prop::height).toInt()};
}

} // namespace testwindows
