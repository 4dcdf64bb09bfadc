#include "alarmfixture.h"

#include "core/duecheck.h"
#include "core/ringwindowlayout.h"
#include "host/runtime.h"
#include "testwindows.h"
#include "ui/main/mainwindowhandlers.h"
#include "ui/main/mainwindowlayout.h"
#include "unitdriver.h"

#include <QApplication>
#include <QMessageBox>

#include <algorithm>
#include <optional>

using namespace host;
using AlarmTable::AlarmColumn;

namespace {

class DueCheck : public AlarmFixture
{
protected:
    static int slotInterval(int slot) { return readProperty(AlarmTable::slotTimerOf(slot), prop::interval).toInt(); }
    static Text caption(UnitRef unit) { return readProperty(unit, prop::caption).toText(); }
};

} // namespace

TEST_F(DueCheck, RingsOnlyAnEnabledUnpaddedTimeInItsMinute)
{
    struct Case
    {
        const char* ringTime;
        const char* enabled;
        int hour;
        int minute;
        bool rings;
    };
    const Case cases[] = {
        {"7:5", "开启", 7, 5, true},  {"07:05", "开启", 7, 5, false}, {"7:5", "关闭", 7, 5, false},
        {"7:5", "开启", 7, 6, false}, {"0:0", "开启", 0, 0, true},    {"23:59", "开启", 23, 59, true},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::string(test.ringTime) + " " + test.enabled + " at " + std::to_string(test.hour) + ":" +
                     std::to_string(test.minute));
        TearDown();
        SetUp();
        addAlarm(test.ringTime, fields(test.enabled));
        setTime(test.hour, test.minute, 30);
        MainWindow::clockTick();
        Text ringingCaption;
        RingWatch watch([&] {
            ringingCaption = caption(RingWindow::window);
            drive::click(RingWindow::按钮1);
        });

        checkSlot(1);

        EXPECT_EQ(watch.openings(), test.rings ? 1 : 0);
        EXPECT_EQ(slotInterval(1), test.rings ? 0 : 1000);
        if (test.rings) {
            EXPECT_EQ(ringingCaption, "闹钟1"_t);
            EXPECT_EQ(caption(MainWindow::标签_响铃), "闹钟1"_t);
            // A once-only alarm stays enabled; only its slot is done.
            EXPECT_EQ(AlarmTable::cell(0, AlarmColumn::Enabled), "开启"_t);
        }
    }
}

TEST_F(DueCheck, SlotTimersRingAtTheFirstTickOfTheMinuteAndThenRetire)
{
    setTime(7, 5, 0);
    addAlarm("8:0");
    addAlarm("7:5");
    RingWatch watch([] { drive::click(RingWindow::按钮1); });

    ASSERT_TRUE(testwindows::waitUntil([] { return slotInterval(2) == 0; }, 5000));
    EXPECT_EQ(watch.openings(), 1);
    EXPECT_EQ(caption(MainWindow::标签_响铃), "闹钟2"_t);
    EXPECT_EQ(slotInterval(1), 1000);
    testwindows::pump(1200);  // more ticks in the same minute
    EXPECT_EQ(watch.openings(), 1);
}

TEST_F(DueCheck, SecondAlarmOfTheSameMinuteIsRetiredUnheard)
{
    addAlarm("7:5");
    addAlarm("7:5", fields("开启", "无", "真", "第二个"));
    setTime(7, 5);
    MainWindow::clockTick();
    Text windowCaption;
    Text label;
    RingWatch watch([&] {
        checkSlot(2);  // returns at once: the window is already open
        windowCaption = caption(RingWindow::window);
        label = caption(MainWindow::标签_响铃);
        // Stop only once the first alarm is heard: a stop before the output opens leaves no segment.
        ASSERT_TRUE(waitForSegments(1));
        drive::click(RingWindow::按钮1);
    });

    checkSlot(1);

    EXPECT_EQ(watch.openings(), 1);
    EXPECT_EQ(windowCaption, "闹钟1"_t);
    EXPECT_EQ(label, "闹钟2"_t);
    EXPECT_EQ(slotInterval(1), 0);
    EXPECT_EQ(slotInterval(2), 0);
    testwindows::pump(200);
    EXPECT_EQ(sound().segments().size(), 1u);
}

TEST_F(DueCheck, StopAndTheCloseBoxSilenceCloseAndRetire)
{
    for (const bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "停止");
        TearDown();
        SetUp();
        captureSound(1.0);  // still playing when the user stops it
        addAlarm("7:5");
        setTime(7, 5);
        MainWindow::clockTick();
        RingWatch watch([&] {
            ASSERT_TRUE(waitForSegments(1));
            if (closeBox)
                drive::pressCloseBox(RingWindow::id);
            else
                drive::click(RingWindow::按钮1);
        });

        checkSlot(1);

        EXPECT_EQ(watch.openings(), 1);
        EXPECT_FALSE(isLoaded(RingWindow::id));
        EXPECT_EQ(slotInterval(1), 0);
        ASSERT_TRUE(sound().waitFor([](const auto& segments) { return !segments.empty() && segments[0].closed; },
                                    std::chrono::seconds(5)));
        EXPECT_FALSE(sound().segments()[0].drained);
        EXPECT_TRUE(sound().segments()[0].dropped);
    }
}

TEST_F(DueCheck, WhetherAnAlarmHasRungMovesWithIt)
{
    const struct
    {
        const char* name;
        std::vector<int> rung;  // slots retired before the step
        std::function<void()> step;
        const char* states;  // after the step, slot 1 first: Watching or Retired
    } cases[] = {
        {"the rung alarm deleted", {1}, [] { AlarmTable::remove(0); }, "WWWWW"},
        {"an earlier alarm deleted", {2}, [] { AlarmTable::remove(0); }, "RWWWW"},
        {"a middle alarm deleted", {1, 3}, [] { AlarmTable::remove(1); }, "RRWWW"},
        {"no row selected", {1}, [] { AlarmTable::remove(-1); }, "RWWWW"},
        {"added into a retired slot", {4}, [] { addAlarm("7:3"); }, "WWWWW"},
        {"a sixth alarm refused", {1, 2, 3, 4, 5}, [] {
             BoxAnswerer limit(BoxAnswerer::Answer::Ok);
             addAlarm("7:5");
         }, "RRRRR"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        TearDown();
        SetUp();
        {
            BoxAnswerer limit(BoxAnswerer::Answer::Ok);
            for (const char* time : test.rung.size() == 5 ? std::vector{"7:0", "7:1", "7:2", "7:3", "7:4"}
                                                          : std::vector{"7:0", "7:1", "7:2"})
                addAlarm(time);
        }
        for (int slot : test.rung)
            AlarmTable::setSlotState(slot, AlarmTable::SlotState::Retired);
        test.step();
        std::string states;
        for (int slot = 1; slot <= AlarmTable::kSlots; ++slot)
            states += AlarmTable::slotState(slot) == AlarmTable::SlotState::Watching ? 'W' : 'R';
        EXPECT_EQ(states, test.states);
    }
}

TEST_F(DueCheck, RingsAndStopsWhileAQuestionWaitsUnderIt)
{
    captureSound(1.0);  // still playing when the user stops it
    addAlarm("7:5");
    addAlarm("8:0");
    setTime(7, 5);
    MainWindow::clockTick();
    AlarmTable::setSelectedRow(0);
    bool stoppedByTheClick = false;
    bool questionHoldsTheInputAgain = false;
    std::optional<BoxAnswerer> answer;
    RingWatch watch([&] {
        ASSERT_TRUE(waitForSegments(1));
        drive::click(RingWindow::按钮1);
        stoppedByTheClick = testwindows::waitUntil([] { return !isLoaded(RingWindow::id); }, 2000);
        if (!stoppedByTheClick)
            closeWindow(RingWindow::id);
        questionHoldsTheInputAgain = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr;
        answer.emplace(BoxAnswerer::Answer::Ok);
    });

    // "删除闹钟" asked, and the question left open until the alarm's minute.
    MainWindow::deleteAlarmChosen();

    EXPECT_EQ(watch.openings(), 1);
    EXPECT_TRUE(stoppedByTheClick);
    EXPECT_TRUE(sound().waitFor([](const auto& segments) { return segments[0].closed; }, std::chrono::seconds(5)));
    EXPECT_TRUE(questionHoldsTheInputAgain);
    // The answer still counts; the alarm that moves up has not rung.
    EXPECT_EQ(column(AlarmColumn::RingTime), std::vector<Text>{"8:0"_t});
    EXPECT_EQ(AlarmTable::slotState(1), AlarmTable::SlotState::Watching);
}
