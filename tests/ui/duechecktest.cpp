#include "alarmfixture.h"

#include "core/duecheck.h"
#include "host/runtime.h"
#include "modalwatch.h"
#include "testwindows.h"
#include "ui/main/mainwindowhandlers.h"
#include "ui/main/mainwindowlayout.h"
#include "ui/ring/ringwindowlayout.h"
#include "unitdriver.h"

#include <QApplication>

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

struct DueCase
{
    const char* name;
    const char* ringTime;
    const char* enabled;
    int hour;
    int minute;
    bool rings;
};

class RingsOnlyAnEnabledUnpaddedTime : public DueCheck, public ::testing::WithParamInterface<DueCase>
{
};

TEST_P(RingsOnlyAnEnabledUnpaddedTime, InItsMinute)
{
    const DueCase& test = GetParam();
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

INSTANTIATE_TEST_SUITE_P(
    DueCheck, RingsOnlyAnEnabledUnpaddedTime,
    ::testing::Values(DueCase{"AtItsMinute", "7:5", "开启", 7, 5, true},
                      DueCase{"PaddedNever", "07:05", "开启", 7, 5, false},
                      DueCase{"DisabledNever", "7:5", "关闭", 7, 5, false},
                      DueCase{"NotAMinuteLater", "7:5", "开启", 7, 6, false},
                      DueCase{"AtMidnight", "0:0", "开启", 0, 0, true},
                      DueCase{"AtTheDaysLastMinute", "23:59", "开启", 23, 59, true}),
    [](const auto& info) { return std::string(info.param.name); });

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

class StopAndTheCloseBox : public DueCheck, public ::testing::WithParamInterface<bool>
{
};

TEST_P(StopAndTheCloseBox, SilenceCloseAndRetire)
{
    const bool closeBox = GetParam();
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

INSTANTIATE_TEST_SUITE_P(DueCheck, StopAndTheCloseBox, ::testing::Values(false, true),
                         [](const auto& info) { return std::string(info.param ? "CloseBox" : "Stop"); });

struct MoveCase
{
    const char* name;
    std::vector<const char*> ringTimes;
    std::vector<int> rung;  // slots retired before the step
    std::function<void()> step;
    const char* states;  // after the step, slot 1 first: Watching or Retired
};

class WhetherAnAlarmHasRung : public DueCheck, public ::testing::WithParamInterface<MoveCase>
{
};

TEST_P(WhetherAnAlarmHasRung, MovesWithIt)
{
    const MoveCase& test = GetParam();
    {
        ModalWatch limit(QMessageBox::Ok);
        for (const char* time : test.ringTimes)
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

const std::vector<const char*> kThree{"7:0", "7:1", "7:2"};
INSTANTIATE_TEST_SUITE_P(
    DueCheck, WhetherAnAlarmHasRung,
    ::testing::Values(MoveCase{"RungAlarmDeleted", kThree, {1}, [] { AlarmTable::remove(0); }, "WWWWW"},
                      MoveCase{"EarlierAlarmDeleted", kThree, {2}, [] { AlarmTable::remove(0); }, "RWWWW"},
                      MoveCase{"MiddleAlarmDeleted", kThree, {1, 3}, [] { AlarmTable::remove(1); }, "RRWWW"},
                      MoveCase{"NoRowSelected", kThree, {1}, [] { AlarmTable::remove(-1); }, "RWWWW"},
                      MoveCase{"AddedIntoARetiredSlot", kThree, {4}, [] { addAlarm("7:3"); }, "WWWWW"},
                      MoveCase{"SixthAlarmRefused", {"7:0", "7:1", "7:2", "7:3", "7:4"}, {1, 2, 3, 4, 5},
                               [] {
                                   ModalWatch limit(QMessageBox::Ok);
                                   addAlarm("7:5");
                               },
                               "RRRRR"}),
    [](const auto& info) { return std::string(info.param.name); });

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
    std::optional<ModalWatch> answer;
    RingWatch watch([&] {
        ASSERT_TRUE(waitForSegments(1));
        drive::click(RingWindow::按钮1);
        stoppedByTheClick = testwindows::waitUntil([] { return !isLoaded(RingWindow::id); }, 2000);
        if (!stoppedByTheClick)
            closeWindow(RingWindow::id);
        questionHoldsTheInputAgain = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr;
        answer.emplace(QMessageBox::Ok);
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
