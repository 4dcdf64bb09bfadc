#include "core/duecheck.h"

#include "core/alarmtable.h"
#include "core/windows.h"
#include "host/runtime.h"

using namespace host;

namespace {

constinit const FixedText kSeparator{":"};

// The clock display's time as the mirrors hold it: "7:5" at 07:05, never padded.
Text displayedTime()
{
    return readProperty(MainWindow::编辑框1, prop::content).toText() + kSeparator.text() +
           readProperty(MainWindow::编辑框2, prop::content).toText();
}

} // namespace

void checkSlot(int slot)
{
    if (AlarmTable::cell(slot - 1, AlarmTable::AlarmColumn::Enabled) != AlarmTable::cellText::enabled)
        return;
    if (AlarmTable::mirror(slot) != displayedTime())
        return;
    AlarmTable::setRingingSlot(slot);
    // Retired before it rings: a tick of this timer that falls due in the
    // same pass of the event loop as the user's 停止 runs after the window
    // is gone, and would ring the alarm a second time.
    AlarmTable::setSlotState(slot, AlarmTable::SlotState::Retired);
    // Waits here while the window rings; when it is already open (another
    // slot rings) this returns at once and the slot stays retired unheard.
    loadWindow(RingWindow::id, DialogMode::Dialog);
}
