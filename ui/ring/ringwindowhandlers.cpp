#include "ui/ring/ringwindowhandlers.h"

#include "core/alarmtable.h"
#include "core/defaultsound.h"
#include "host/commands.h"
#include "host/runtime/runtime.h"
#include "host/sound/soundservice.h"
#include "ui/ring/ringwindowlayout.h"

#include <array>

using namespace host;
using AlarmTable::AlarmColumn;

namespace RingWindow {
namespace {

constexpr int kSnoozeMs = 5 * 60 * 1000;
constexpr int kShakePixels = 10;
constexpr int kKeepOnTopMs = 1;
constinit const FixedText kSeeYouLater = "5分钟后再看得见！"_t;

// The shake timers run at slightly different rates, so opposite moves do not
// cancel and the window trembles.
constexpr std::array<UnitRef, 4> kShakeTimers{时钟1, 时钟2, 时钟3, 时钟4};
constexpr std::array<int, 4> kShakeIntervals{103, 102, 101, 100};

void setInterval(UnitRef timer, int interval)
{
    writeProperty(timer, prop::interval, Value(interval));
}

void playDefaultSound()
{
    playFiles({DefaultSound::write()});
}

// Stop and the close box end the ringing the same way.
void endRinging()
{
    setInterval(时钟6, 0);
    stopAllSound();
    closeWindow(id);
}

} // namespace

void startRinging()
{
    writeProperty(window, prop::caption, Value(AlarmTable::ringingSlotName()));
    if (const int slot = AlarmTable::ringingSlot(); slot != 0) {
        const int row = slot - 1;
        const Text music = AlarmTable::cell(row, AlarmColumn::Music);
        if (music == AlarmTable::cellText::defaultMusic)
            playDefaultSound();
        else
            playFiles({music});
        if (AlarmTable::cell(row, AlarmColumn::Vibrate) == AlarmTable::cellText::shake) {
            for (std::size_t index = 0; index < kShakeTimers.size(); ++index)
                setInterval(kShakeTimers[index], kShakeIntervals[index]);
        }
        writeProperty(编辑框1, prop::content, Value(AlarmTable::cell(row, AlarmColumn::Note)));
    }
    setInterval(时钟6, kKeepOnTopMs);
}

void stopRinging()
{
    endRinging();
}

void snoozeRinging()
{
    stopAllSound();
    // Every window goes, not only this one and the main window: a window left
    // on screen would take no input for the five minutes.
    hideAllWindows();
    messageBox(Value(kSeeYouLater.text()), boxButtons::ok);
    // Blocks the whole program on purpose: nothing is drawn or checked meanwhile.
    delay(kSnoozeMs);
    showHiddenWindows();
    playDefaultSound();
}

void shakeStep(ShakeMove move)
{
    const bool horizontal = move == ShakeMove::Left || move == ShakeMove::Right;
    const int edge = horizontal ? prop::left : prop::top;
    const int step = move == ShakeMove::Left || move == ShakeMove::Up ? -kShakePixels : kShakePixels;
    writeProperty(window, edge, Value(readProperty(window, edge).toInt() + step));
}

void repositionRingWindow()
{
    moveUnit(window, screenWidth() / 2, screenHeight() / 2);
}

void keepRingWindowOnTop()
{
    // The host ignores a write of the value the window already has, so this
    // costs a lookup and nothing more.
    writeProperty(window, prop::alwaysOnTop, Value(true));
}

void ringWindowClosing()
{
    endRinging();
}

} // namespace RingWindow
