#include "core/ringwindowhandlers.h"

#include "core/alarmtable.h"
#include "core/defaultsound.h"
#include "core/ringwindowlayout.h"
#include "host/commands.h"
#include "host/runtime.h"
#include "host/sound/soundservice.h"
#include "ui/main/mainwindowlayout.h"

#include <array>

using namespace host;
using AlarmTable::AlarmColumn;

namespace {

constexpr int kSnoozeMs = 5 * 60 * 1000;
constexpr int kShakePixels = 10;
constexpr int kKeepOnTopMs = 1;

// The shake timers run at slightly different rates, so opposite moves do not
// cancel and the window trembles.
constexpr std::array<UnitRef, 4> kShakeTimers{RingWindow::时钟1, RingWindow::时钟2, RingWindow::时钟3, RingWindow::时钟4};
constexpr std::array<int, 4> kShakeIntervals{103, 102, 101, 100};

void setInterval(UnitRef timer, int interval)
{
    writeProperty(timer, prop::interval, Value(interval));
}

void setVisible(UnitRef window, bool visible)
{
    writeProperty(window, prop::visible, Value(visible));
}

void playDefaultSound()
{
    playFiles({DefaultSound::write()});
}

// Stop and the close box end the ringing the same way.
void endRinging()
{
    setInterval(RingWindow::时钟6, 0);
    stopAllSound();
    closeWindow(RingWindow::id);
}

} // namespace

void startRinging()
{
    writeProperty(RingWindow::window, prop::caption, Value(AlarmTable::ringingSlotName()));
    if (const int slot = AlarmTable::ringingSlot(); slot != 0) {
        const int row = slot - 1;
        const Text music = AlarmTable::cell(row, AlarmColumn::Music);
        if (music == AlarmTable::cellText::defaultMusic())
            playDefaultSound();
        else
            playFiles({music});
        if (AlarmTable::cell(row, AlarmColumn::Vibrate) == AlarmTable::cellText::shake()) {
            for (std::size_t index = 0; index < kShakeTimers.size(); ++index)
                setInterval(kShakeTimers[index], kShakeIntervals[index]);
        }
        writeProperty(RingWindow::编辑框1, prop::content, Value(AlarmTable::cell(row, AlarmColumn::Note)));
    }
    setInterval(RingWindow::时钟6, kKeepOnTopMs);
}

void stopRinging()
{
    endRinging();
}

void snoozeRinging()
{
    static const Text seeYouLater = "5分钟后再看得见！"_t;
    stopAllSound();
    setVisible(RingWindow::window, false);
    setVisible(MainWindow::window, false);
    messageBox(Value(seeYouLater), boxButtons::ok);
    // Blocks the whole program on purpose: nothing is drawn or checked meanwhile.
    delay(kSnoozeMs);
    setVisible(RingWindow::window, true);
    setVisible(MainWindow::window, true);
    playDefaultSound();
}

void shakeStep(ShakeMove move)
{
    const bool horizontal = move == ShakeMove::Left || move == ShakeMove::Right;
    const int edge = horizontal ? prop::left : prop::top;
    const int step = move == ShakeMove::Left || move == ShakeMove::Up ? -kShakePixels : kShakePixels;
    writeProperty(RingWindow::window, edge, Value(readProperty(RingWindow::window, edge).toInt() + step));
}

void repositionRingWindow()
{
    moveUnit(RingWindow::window, screenWidth() / 2, screenHeight() / 2);
}

void keepRingWindowOnTop()
{
    // The host ignores a write of the value the window already has, so this
    // costs a lookup and nothing more.
    writeProperty(RingWindow::window, prop::alwaysOnTop, Value(true));
}

void ringWindowClosing()
{
    endRinging();
}
