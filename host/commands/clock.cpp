#include "host/commands/clock_p.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cmath>

namespace host {
namespace {

constexpr std::int64_t kSecondsPerDay = 24 * 60 * 60;

QDate epoch()
{
    return QDate(1899, 12, 30);
}

DateTime systemNow()
{
    return fromQDateTime(QDateTime::currentDateTime());
}

std::function<DateTime()>& clockInUse()
{
    static std::function<DateTime()> clock = systemNow;
    return clock;
}

// A moment split into its calendar day (days after the epoch) and the
// second of that day. Before the epoch the integer part still names the day
// and the fraction, taken without its sign, the time of day (-1.25 is
// 1899-12-29 06:00). Seconds are rounded, since a whole second is rarely
// exact in a fraction of a day.
struct DayAndSecond
{
    std::int64_t day = 0;
    std::int64_t second = 0;
};

DayAndSecond split(DateTime moment)
{
    if (!std::isfinite(moment.days))
        return {};
    const double whole = std::trunc(moment.days);
    DayAndSecond result{static_cast<std::int64_t>(whole),
                        std::llround(std::fabs(moment.days - whole) * double(kSecondsPerDay))};
    if (result.second >= kSecondsPerDay) {
        result.second -= kSecondsPerDay;
        ++result.day;
    }
    return result;
}

} // namespace

DateTime now()
{
    return clockInUse()();
}

void setClock(std::function<DateTime()> clock)
{
    clockInUse() = clock ? std::move(clock) : std::function<DateTime()>(systemNow);
}

std::int32_t hourOf(DateTime moment)
{
    return static_cast<std::int32_t>(split(moment).second / 3600);
}

std::int32_t minuteOf(DateTime moment)
{
    return static_cast<std::int32_t>(split(moment).second / 60 % 60);
}

std::int32_t secondOf(DateTime moment)
{
    return static_cast<std::int32_t>(split(moment).second % 60);
}

std::int32_t dayOf(DateTime moment)
{
    return static_cast<std::int32_t>(split(moment).day);
}

std::int32_t weekdayOf(DateTime moment)
{
    // The epoch, 1899-12-30, was a Saturday (6).
    constexpr std::int64_t kEpochFromMonday = 5;
    return static_cast<std::int32_t>(((split(moment).day + kEpochFromMonday) % 7 + 7) % 7 + 1);
}

DateTime dateTimeOf(int year, int month, int day, int hour, int minute, int second)
{
    const double days = static_cast<double>(epoch().daysTo(QDate(year, month, day)));
    const double seconds = hour * 3600.0 + minute * 60.0 + second;
    // Before the epoch the time of day is added away from zero (see split).
    return DateTime{days < 0 ? days - seconds / kSecondsPerDay : days + seconds / kSecondsPerDay};
}

QDateTime toQDateTime(DateTime moment)
{
    const DayAndSecond parts = split(moment);
    return QDateTime(epoch().addDays(parts.day), QTime(0, 0).addSecs(static_cast<int>(parts.second)));
}

DateTime fromQDateTime(const QDateTime& moment)
{
    const QDateTime local = moment.toLocalTime();
    return dateTimeOf(local.date().year(), local.date().month(), local.date().day(),
                      local.time().hour(), local.time().minute(), local.time().second());
}

} // namespace host
