#include "core/duecheck.h"

#include "core/alarmtable.h"
#include "core/mainwindowunits.h"
#include "host/commands.h"
#include "host/runtime/runtime.h"

#include <optional>

using namespace host;
using AlarmTable::AlarmColumn;
using AlarmTable::SlotState;

namespace {

constinit const FixedText kSeparator = ":"_t;

// The moment the clock display shows, once it has shown one.
std::optional<DateTime> g_shown;

// The clock display's time as the mirrors hold it: "7:5" at 07:05, never padded.
Text displayedTime()
{
    return readProperty(MainWindow::编辑框1, prop::content).toText() + kSeparator.text() +
           readProperty(MainWindow::编辑框2, prop::content).toText();
}

DateTime displayedMoment()
{
    return g_shown.value_or(now());
}

// Whether the slot's memory lets its alarm ring at this minute of this day.
bool mayRing(const AlarmTable::SlotMemory& memory, std::int32_t today, const Text& time)
{
    if (memory.rangOn == today && memory.rangAt == time)
        return false;  // never twice in one minute
    switch (memory.state) {
    case SlotState::Watching:
        return true;
    case SlotState::Retired:
        return false;
    case SlotState::RangOnDay:
        return memory.rangOn != today;
    }
    return false;
}

} // namespace

void checkSlot(int slot)
{
    const int row = slot - 1;
    if (AlarmTable::cell(row, AlarmColumn::Enabled) != AlarmTable::cellText::enabled)
        return;
    const Text time = displayedTime();
    if (AlarmTable::mirror(slot) != time)
        return;
    const AlarmTable::Weekdays days = AlarmTable::repeatDays(AlarmTable::cell(row, AlarmColumn::Repeat));
    const DateTime shown = displayedMoment();
    if (days.any() && !days.test(static_cast<std::size_t>(weekdayOf(shown) - 1)))
        return;
    const std::int32_t today = dayOf(shown);
    if (!mayRing(AlarmTable::slotMemory(slot), today, time))
        return;
    // Noted before it rings: a tick of this timer that falls due in the same
    // pass of the event loop as the user's 停止 runs after the window is gone,
    // and would ring the alarm a second time.
    AlarmTable::setSlotMemory(slot, {.state = days.any() ? SlotState::RangOnDay : SlotState::Retired,
                                     .rangOn = today,
                                     .rangAt = time});
    AlarmTable::setRingingSlot(slot);
    // Waits here while the window rings; when it is already open (another
    // slot rings) this returns at once, and the slot counts as rung unheard.
    loadWindow(RingWindow::id, DialogMode::Dialog);
}

void clockShown(DateTime moment)
{
    g_shown = moment;
}
