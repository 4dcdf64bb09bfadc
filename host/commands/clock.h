#pragma once

// The clock commands. A DateTime counts days since 1899-12-30 00:00 local
// time, its fraction being the time of day; the program works in whole
// seconds. `now` reads a clock that tests replace with setClock.

#include "host/values/value.h"

#include <cstdint>
#include <functional>

namespace host {

/// The current local time in whole seconds, from the clock in use.
DateTime now();

/// Seam for tests: replaces the clock `now` reads; an empty function restores the system clock.
void setClock(std::function<DateTime()> clock);

/// The hour (0..23) of a moment, to the nearest second.
std::int32_t hourOf(DateTime moment);
/// The minute (0..59) of a moment, to the nearest second.
std::int32_t minuteOf(DateTime moment);
/// The second (0..59) of a moment, to the nearest second.
std::int32_t secondOf(DateTime moment);
/// The calendar day of a moment, as days after the epoch, to the nearest second.
std::int32_t dayOf(DateTime moment);
/// The weekday of a moment, 1 (Monday) … 7 (Sunday), to the nearest second.
std::int32_t weekdayOf(DateTime moment);

/// The moment of a local calendar date and time of day.
DateTime dateTimeOf(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

} // namespace host
