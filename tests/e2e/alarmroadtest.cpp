// The road of one alarm through the real program, and what the list's popup
// menu and the editor do to it on the way: added through the editor, it rings
// at its minute in an always-on-top window named after its slot, with its note
// and its sound; "停止" closes the window and silences it, and it does not ring
// again. Disabled it stays silent, enabled again it rings; modified, it rings
// at its new time with its new note; the list keeps at most five alarms. An
// every-day alarm rings again the next day, a working-days one not on Saturday.

#include "programfixture.h"

#include <QThread>

using namespace std::chrono_literals;

namespace {

using AlarmRoad = ProgramTest;

const QString kRingCaption = QStringLiteral("闹钟1");

} // namespace

TEST_F(AlarmRoad, AddedAlarmRingsWithNoteAndSoundUntilStoppedAndNeverAgain)
{
    ASSERT_NO_FATAL_FAILURE(startWithAlarm(at(7, 4, 50), {"7", "5", "起床"}));
    EXPECT_EQ(listCell(0, 0), QStringLiteral("7:5"));
    const auto added = Clock::now();
    EXPECT_FALSE(soundHeardAfter(added, 0ms)) << "sound before the alarm's minute";

    const unsigned long ring = waitForRinging();
    ASSERT_NE(ring, 0UL) << "no ringing window at 07:05";
    EXPECT_EQ(m_desktop.windowTitle(ring), kRingCaption);
    EXPECT_TRUE(m_desktop.windowState(ring).contains(QStringLiteral("_NET_WM_STATE_ABOVE")));
    EXPECT_TRUE(soundHeardAfter(added, 5s)) << "the default sound is not heard";
    EXPECT_EQ(m_desktop.copyText(ring, centre::ringNote[0], centre::ringNote[1]), QStringLiteral("起床"));

    m_desktop.click(ring, centre::stopButton[0], centre::stopButton[1]);
    const auto stopped = Clock::now();
    EXPECT_TRUE(m_desktop.waitForNoWindow(kRingCaption)) << "停止 did not close the ringing window";
    QThread::msleep(1000);
    const auto last = m_recorder->lastLoud();
    ASSERT_TRUE(last.has_value());
    EXPECT_LT(*last, stopped + 300ms) << "sound still heard after 停止";
    EXPECT_EQ(waitForRinging(3000), 0UL) << "the alarm rang a second time";
}

TEST_F(AlarmRoad, DisabledAlarmStaysSilentAndRingsOnceEnabledAgain)
{
    ASSERT_NO_FATAL_FAILURE(startWithAlarm(at(7, 4, 50), {"7", "5"}));
    chooseFromListMenu(0, 0);
    EXPECT_EQ(listCell(0, 1), QStringLiteral("关闭"));

    m_program->setClock(at(7, 5, 2));
    EXPECT_EQ(waitForRinging(3000), 0UL) << "a disabled alarm rang";

    // Enabled again within its minute, it rings at the next check.
    chooseFromListMenu(0, 0);
    EXPECT_NE(waitForRinging(5000), 0UL) << "the alarm enabled again did not ring";
}

TEST_F(AlarmRoad, ModifiedAlarmRingsAtItsNewTimeWithItsNewNote)
{
    ASSERT_NO_FATAL_FAILURE(startWithAlarm(at(7, 4, 50), {"7", "5", "旧"}));

    chooseFromListMenu(0, 1);
    const unsigned long editor = m_desktop.waitForWindow(QStringLiteral("修改闹钟"));
    ASSERT_NE(editor, 0UL) << "修改闹钟设置 did not open the editor";
    EXPECT_EQ(m_desktop.copyText(editor, centre::hourBox[0], centre::hourBox[1]), QStringLiteral("7"));
    EXPECT_EQ(m_desktop.copyText(editor, centre::minuteBox[0], centre::minuteBox[1]), QStringLiteral("5"));
    m_desktop.replaceText(editor, centre::minuteBox[0], centre::minuteBox[1], QStringLiteral("6"));
    m_desktop.replaceText(editor, centre::noteBox[0], centre::noteBox[1], QStringLiteral("新"));
    m_desktop.click(editor, centre::confirmButton[0], centre::confirmButton[1]);
    ASSERT_TRUE(m_desktop.waitForNoWindow(QStringLiteral("修改闹钟")));
    EXPECT_EQ(listCell(0, 0), QStringLiteral("7:6"));
    EXPECT_EQ(listCell(0, 3), QStringLiteral("新"));

    m_program->setClock(at(7, 5, 2));
    EXPECT_EQ(waitForRinging(3000), 0UL) << "the alarm rang at its old time";
    m_program->setClock(at(7, 5, 58));
    const unsigned long ring = waitForRinging(10000);
    ASSERT_NE(ring, 0UL) << "no ringing at the new time 07:06";
    EXPECT_EQ(m_desktop.copyText(ring, centre::ringNote[0], centre::ringNote[1]), QStringLiteral("新"));
}

TEST_F(AlarmRoad, DeletedAlarmLeavesTheListAndLaterRowsMoveUp)
{
    ASSERT_NO_FATAL_FAILURE(startWithAlarm(at(7, 3, 0), {"7", "5"}));
    ASSERT_NO_FATAL_FAILURE(addAlarm({"9", "20"}));
    ASSERT_EQ(listCell(-1, 0), QStringLiteral("9:20"));

    // The question is left open until the alarm's minute: the alarm rings
    // over it and 停止 still stops it.
    chooseFromListMenu(0, 2);
    ASSERT_NE(m_desktop.waitForWindow(QStringLiteral("删除闹钟")), 0UL) << "no question before deleting";
    const auto asked = Clock::now();
    m_program->setClock(at(7, 4, 58));
    const unsigned long ring = waitForRinging();
    ASSERT_NE(ring, 0UL) << "no ringing window at 07:05 over the question";
    ASSERT_TRUE(soundHeardAfter(asked, 5s)) << "the alarm is not heard";
    m_desktop.click(ring, centre::stopButton[0], centre::stopButton[1]);
    const auto stopped = Clock::now();
    EXPECT_TRUE(m_desktop.waitForNoWindow(kRingCaption)) << "停止 did not close the ringing window";
    QThread::msleep(1000);
    EXPECT_LT(m_recorder->lastLoud().value_or(stopped), stopped + 300ms) << "sound still heard after 停止";

    ASSERT_TRUE(answerMessageBox(QStringLiteral("删除闹钟"))) << "the question did not wait for its answer";
    EXPECT_EQ(listCell(0, 0), QStringLiteral("9:20"));
    EXPECT_EQ(listCell(-1, 0), QStringLiteral("9:20")) << "the list still holds two rows";
}

TEST_F(AlarmRoad, EveryDayAlarmRingsOnTheNextDayAndAWorkingDaysOneNotOnSaturday)
{
    const QDateTime friday(QDate(2026, 3, 6), QTime(7, 4, 0));
    ASSERT_NO_FATAL_FAILURE(startWithAlarm(friday, {"7", "5", {}, false, centre::everyDayChoice}));
    ASSERT_NO_FATAL_FAILURE(addAlarm({"7", "6", {}, false, centre::workingDaysChoice}));
    ASSERT_TRUE(m_desktop.waitForNoWindow(QStringLiteral("添加闹钟")));

    // Each alarm's minute on Friday, then on Saturday, as a laptop woken the next morning finds it.
    QStringList heard;
    for (const int day : {0, 1}) {
        for (const QString& slot : {QStringLiteral("闹钟1"), QStringLiteral("闹钟2")}) {
            m_program->setClock(friday.addDays(day).addSecs(slot.endsWith('1') ? 58 : 118));
            const auto since = Clock::now();
            const unsigned long ring = m_desktop.waitForWindow(slot, 5000);
            if (ring != 0 && soundHeardAfter(since, 5s))
                heard << slot;
            if (ring != 0)
                m_desktop.click(ring, centre::stopButton[0], centre::stopButton[1]);
            EXPECT_TRUE(m_desktop.waitForNoWindow(slot));
        }
    }
    EXPECT_EQ(heard, (QStringList{QStringLiteral("闹钟1"), QStringLiteral("闹钟2"), QStringLiteral("闹钟1")}));
}

TEST_F(AlarmRoad, AlarmAtAFullHourKeepsItsZeroMinuteAndRings)
{
    ASSERT_NO_FATAL_FAILURE(startWithAlarm(at(6, 59, 52), {"7", "0"}));
    EXPECT_EQ(listCell(0, 0), QStringLiteral("7:0"));
    EXPECT_NE(waitForRinging(15000), 0UL) << "no ringing at 07:00";
}

TEST_F(AlarmRoad, ListKeepsAtMostFiveAlarms)
{
    ASSERT_NO_FATAL_FAILURE(startProgram(at(7, 4, 50)));
    for (int minute = 1; minute <= 4; ++minute)
        ASSERT_NO_FATAL_FAILURE(addAlarm({"8", QString::number(minute)}));
    EXPECT_EQ(m_desktop.waitForWindow(QStringLiteral("信息："), 1000), 0UL) << "the limit came before the fifth alarm";

    ASSERT_NO_FATAL_FAILURE(addAlarm({"8", "5"}));
    ASSERT_TRUE(answerMessageBox(QStringLiteral("信息："))) << "no message at the fifth alarm";
    EXPECT_EQ(listCell(-1, 0), QStringLiteral("8:5")) << "the fifth alarm was not kept";

    ASSERT_NO_FATAL_FAILURE(addAlarm({"8", "6"}));
    ASSERT_TRUE(answerMessageBox(QStringLiteral("信息："))) << "no message at the sixth alarm";
    EXPECT_EQ(listCell(-1, 0), QStringLiteral("8:5")) << "the sixth alarm stayed in the list";
}
