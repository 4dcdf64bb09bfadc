#include "alarmfixture.h"

#include "core/duecheck.h"
#include "host/commands.h"
#include "host/runtime/runtime.h"
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

// A moment of the week of 2026-12-07, a Monday; `shown` false: the clock has
// moved there, but its display has not ticked yet.
struct Visit
{
    int day;
    int hour = 7;
    int minute = 5;
    bool shown = true;
};
constexpr int Mon = 7, Tue = 8, Wed = 9, Fri = 11, Sat = 12, Sun = 13, NextMon = 14;

struct DueCase
{
    const char* name;
    const char* ringTime;
    const char* enabled;
    const char* repeat;
    std::vector<Visit> visits;
    const char* rings;  // a digit a visit
};

class RingsOnlyAnEnabledUnpaddedTime : public DueCheck, public ::testing::WithParamInterface<DueCase>
{
};

TEST_P(RingsOnlyAnEnabledUnpaddedTime, InItsMinuteOnItsDays)
{
    const DueCase& test = GetParam();
    AlarmTable::AlarmFields alarm = fields(test.enabled);
    alarm.repeat = Text::fromUtf8(test.repeat);
    addAlarm(test.ringTime, alarm);
    Text ringingCaption;
    RingWatch watch([&] {
        ringingCaption = caption(RingWindow::window);
        drive::click(RingWindow::按钮1);
    });

    std::string rang;
    for (const Visit& visit : test.visits) {
        const DateTime moment = dateTimeOf(2026, 12, visit.day, visit.hour, visit.minute, 30);
        setClock([moment] { return moment; });
        if (visit.shown)
            MainWindow::clockTick();
        const int before = watch.openings();
        checkSlot(1);
        rang += watch.openings() > before ? '1' : '0';
    }

    EXPECT_EQ(rang, test.rings);
    const bool once = AlarmTable::repeatDays(alarm.repeat).none();
    EXPECT_EQ(slotInterval(1), once && rang.find('1') != std::string::npos ? 0 : 1000);
    if (watch.openings() > 0) {
        EXPECT_EQ(ringingCaption, "闹钟1"_t);
        EXPECT_EQ(caption(MainWindow::标签_响铃), "闹钟1"_t);
        // A once-only alarm stays enabled; only its slot is done.
        EXPECT_EQ(AlarmTable::cell(0, AlarmColumn::Enabled), "开启"_t);
    }
}

constexpr const char* kOnce = "仅响一次";
constexpr const char* kEveryDay = "星期一、二、三、四、五、六、日";
constexpr const char* kWorkingDays = "星期一、二、三、四、五";
INSTANTIATE_TEST_SUITE_P(
    DueCheck, RingsOnlyAnEnabledUnpaddedTime,
    ::testing::Values(DueCase{"AtItsMinute", "7:5", "开启", kOnce, {{Tue}}, "1"},
                      DueCase{"PaddedNever", "07:05", "开启", kOnce, {{Tue}}, "0"},
                      DueCase{"DisabledNever", "7:5", "关闭", kEveryDay, {{Tue}}, "0"},
                      DueCase{"NotAMinuteLater", "7:5", "开启", kOnce, {{Tue, 7, 6}}, "0"},
                      DueCase{"AtMidnight", "0:0", "开启", kOnce, {{Tue, 0, 0}}, "1"},
                      DueCase{"AtTheDaysLastMinute", "23:59", "开启", kOnce, {{Tue, 23, 59}}, "1"},
                      DueCase{"OnceOnlyOnceAWeek", "7:5", "开启", kOnce, {{Tue}, {Tue}, {Wed}}, "100"},
                      DueCase{"EveryDayOnDaysRunning", "7:5", "开启", kEveryDay, {{Tue}, {Tue}, {Wed}, {Sat}}, "1011"},
                      DueCase{"WorkingDaysNotAtTheWeekend", "7:5", "开启", kWorkingDays, {{Fri}, {Sat}, {Sun}, {NextMon}}, "1001"},
                      DueCase{"WorkingDaysSpelledOut", "7:5", "开启", "星期、一、二、三、四、五", {{Sat}, {Mon}}, "01"},
                      DueCase{"ChosenDays", "7:5", "开启", "星期、一、三", {{Mon}, {Tue}, {Wed}}, "101"},
                      // A rule that names no day rings once, as a once alarm does.
                      DueCase{"NoDayChosen", "7:5", "开启", "星期", {{Sat}, {Sun}}, "10"},
                      DueCase{"UnknownRule", "7:5", "开启", "星期、三、一", {{Mon}, {Tue}}, "10"},
                      DueCase{"ClockSetBackWithinADay", "7:5", "开启", kEveryDay, {{Tue}, {Tue, 7, 4}, {Tue}, {Wed}}, "1001"},
                      // Just past midnight a slot may tick before the display does.
                      DueCase{"DisplayNotYetPastMidnight", "23:59", "开启", kEveryDay,
                              {{Tue, 23, 59}, {Wed, 0, 0, false}, {Wed, 23, 59}}, "101"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DueCheck, SlotTimersRingAtTheFirstTickOfTheMinuteAndThenRetire)
{
    setTime(7, 5, 0);
    addAlarm("8:0");
    addAlarm("7:5");
    RingWatch watch([] { drive::click(RingWindow::按钮1); });

    ASSERT_TRUE(testsupport::waitUntil([] { return slotInterval(2) == 0; }, std::chrono::seconds(5)));
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

// Slot states, slot 1 first: W watching, R retired, D rang today (at its time).
struct MoveCase
{
    const char* name;
    std::vector<const char*> ringTimes;
    const char* before;
    std::function<void()> step;
    const char* after;
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
    const std::string states = "WRD";
    for (int slot = 1; slot <= AlarmTable::kSlots; ++slot) {
        const auto state = static_cast<AlarmTable::SlotState>(states.find(test.before[slot - 1]));
        AlarmTable::setSlotMemory(slot, {state, dayOf(now()), AlarmTable::mirror(slot)});
    }

    test.step();

    std::string after;
    for (int slot = 1; slot <= AlarmTable::kSlots; ++slot)
        after += states[static_cast<std::size_t>(AlarmTable::slotState(slot))];
    EXPECT_EQ(after, test.after);
}

const std::vector<const char*> kThree{"7:0", "7:1", "7:2"};
INSTANTIATE_TEST_SUITE_P(
    DueCheck, WhetherAnAlarmHasRung,
    ::testing::Values(MoveCase{"RungAlarmDeleted", kThree, "RWWWW", [] { AlarmTable::remove(0); }, "WWWWW"},
                      MoveCase{"EarlierAlarmDeleted", kThree, "WRWWW", [] { AlarmTable::remove(0); }, "RWWWW"},
                      MoveCase{"MiddleAlarmDeleted", kThree, "RWRWW", [] { AlarmTable::remove(1); }, "RRWWW"},
                      MoveCase{"RangTodayMovesUp", kThree, "WDRWW", [] { AlarmTable::remove(0); }, "DRWWW"},
                      MoveCase{"NoRowSelected", kThree, "RWWWW", [] { AlarmTable::remove(-1); }, "RWWWW"},
                      MoveCase{"AddedIntoARetiredSlot", kThree, "WWWRW", [] { addAlarm("7:3"); }, "WWWWW"},
                      MoveCase{"SixthAlarmRefused", {"7:0", "7:1", "7:2", "7:3", "7:4"}, "RRRRD",
                               [] {
                                   ModalWatch limit(QMessageBox::Ok);
                                   addAlarm("7:5");
                               },
                               "RRRRD"},
                      // A new rule makes a new alarm, but not one that rings again in the minute it rang.
                      MoveCase{"RuleChangedInTheMinuteItRang", kThree, "RWWWW",
                               [] {
                                   AlarmTable::rewrite(0, "7:0"_t, {.enabled = "开启"_t, .repeat = "星期、一、二"_t});
                                   setClock([] { return dateTimeOf(2026, 12, 8, 7, 0, 30); });
                                   MainWindow::clockTick();
                                   RingWatch stop([] { drive::click(RingWindow::按钮1); });
                                   checkSlot(1);
                               },
                               "WWWWW"}),
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
        stoppedByTheClick = testsupport::waitUntil([] { return !isLoaded(RingWindow::id); }, std::chrono::seconds(2));
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
