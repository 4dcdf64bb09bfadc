// A whole day on the replaced clock, minute by minute with three ticks a
// minute as the 1 s timers give them: five alarms ring once each, in order,
// at their minute, and never again, not even at the next midnight.

#include "alarmfixture.h"

#include "host/commands.h"
#include "host/runtime/runtime.h"
#include "modalwatch.h"
#include "ui/main/mainwindowlayout.h"
#include "ui/ring/ringwindowlayout.h"
#include "unitdriver.h"

using namespace host;

namespace {

class SimulatedDay : public AlarmFixture
{
};

} // namespace

TEST_F(SimulatedDay, FiveAlarmsRingOnceEachAtTheirMinute)
{
    // The slots' order is not the day's; two alarms share an hour.
    {
        ModalWatch fifthAlarm(QMessageBox::Ok);
        for (const char* ringTime : {"23:59", "6:45", "0:0", "6:30", "13:5"})
            addAlarm(ringTime);
    }
    std::vector<std::string> rang;
    RingWatch watch([&] {
        rang.push_back(readProperty(RingWindow::window, prop::caption).toText().toUtf8() + " at " +
                       std::to_string(hourOf(now())) + ":" + std::to_string(minuteOf(now())));
        // A tick of the slot due in the same pass as 停止 comes once the window is gone: none may come.
        EXPECT_FALSE(drive::tick(AlarmTable::slotTimerOf(AlarmTable::ringingSlot())));
        drive::click(RingWindow::按钮1);
    });
    const UnitRef timers[] = {MainWindow::时钟1,      MainWindow::时钟_闹钟1, MainWindow::时钟_闹钟2,
                              MainWindow::时钟_闹钟3, MainWindow::时钟_闹钟4, MainWindow::时钟_闹钟5};

    int ticks = 0;
    for (int minute = 0; minute <= 24 * 60; ++minute) {
        for (int second : {0, 20, 40}) {
            const DateTime moment = dateTimeOf(2026, 12, 8 + minute / (24 * 60), minute / 60 % 24, minute % 60, second);
            setClock([moment] { return moment; });
            // Independent timers: whichever comes first differs from tick to tick.
            for (int index = 0; index < 6; ++index)
                drive::tick(timers[(ticks + index) % 6]);
            ++ticks;
        }
    }

    EXPECT_EQ(rang, (std::vector<std::string>{"闹钟3 at 0:0", "闹钟4 at 6:30", "闹钟2 at 6:45", "闹钟5 at 13:5",
                                              "闹钟1 at 23:59"}));
}
