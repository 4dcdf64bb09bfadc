// Timers: a periodic tick on the user-interface thread while the interval
// is positive.

#include "host/runtime/runtime_p.h"

#include <QTimer>

#include <algorithm>

namespace host::detail {
namespace {

// A timer ticks at most every 10 ms. A shorter interval (the ringing window
// keeps itself on top with a 1 ms timer) would only wake the process more
// often for an effect no user can see; at 10 ms it costs a tenth of the
// wake-ups. The interval still reads back as written.
constexpr int kShortestPeriodMs = 10;

void start(QTimer* timer, int interval)
{
    timer->start(std::max(interval, kShortestPeriodMs));
}

QObject* createTimer(const UnitLayout& layout, QWidget* parent, UnitRef ref)
{
    auto* timer = new QTimer(parent);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, [ref] { raiseEvent(ref, event::tick); });
    if (layout.interval > 0)
        start(timer, layout.interval);
    return timer;
}

// A negative interval is 0. The same interval again changes nothing, so a
// running timer keeps its phase; another restarts it, a full period ahead.
void writeInterval(const Access& access, const Value& value)
{
    const int interval = std::max(value.toInt(), 0);
    Value& stored = access.unit.stored[access.number];
    if (stored.toInt() == interval)
        return;
    stored = interval;
    auto* timer = access.as<QTimer>();
    if (!timer)
        return;
    timer->stop();
    if (interval > 0)
        start(timer, interval);
}

} // namespace

const UnitTypeInfo& timerType()
{
    static const UnitTypeInfo type{
        .type = UnitType::Timer,
        .create = createTimer,
        .properties = {{prop::interval, nullptr, writeInterval,
                        [](const UnitLayout& layout) -> Value { return std::max(layout.interval, 0); }}},
        .events = {event::tick},
    };
    return type;
}

} // namespace host::detail
