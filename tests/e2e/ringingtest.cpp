// The ringing window of the real program: a shaking alarm moves its window in
// 10-pixel steps and jumps to half the screen size once a minute; the snooze
// hides both windows behind a message and brings them back five minutes later
// with the default sound.

#include "programfixture.h"

#include <QThread>

using namespace std::chrono_literals;

using RingingOnDesktop = ProgramTest;

TEST_F(RingingOnDesktop, ShakingWindowMovesInTenPixelStepsAndJumpsToHalfTheScreenEachMinute)
{
    // Every clock of the program runs ten times as fast, so the minute of the
    // jump passes in six seconds.
    ASSERT_NO_FATAL_FAILURE(
        startWithAlarm(at(7, 4, 10), {"7", "5", {}, true}, {.pace = ProgramRun::Pace::Everything, .speed = 10}));
    const unsigned long ring = waitForRinging();
    ASSERT_NE(ring, 0UL) << "no ringing window at 07:05";
    const QRect opened = m_desktop.clientArea(ring);

    QThread::msleep(300);
    const QRect shaken = m_desktop.clientArea(ring);
    EXPECT_EQ((shaken.left() - opened.left()) % 10, 0);
    EXPECT_EQ((shaken.top() - opened.top()) % 10, 0);
    EXPECT_EQ(shaken.size(), opened.size());

    // Drifting up, the window's top stays above where it opened until the
    // jump puts it at half the screen's height, near 400 on the 800-pixel screen.
    const QSize screen = m_desktop.screenSize();
    const auto deadline = Clock::now() + 15s;
    QRect jumped;
    while (Clock::now() < deadline) {
        jumped = m_desktop.clientArea(ring);
        if (jumped.top() > screen.height() / 2 - 20)
            break;
        QThread::msleep(50);
    }
    EXPECT_NEAR(jumped.top(), screen.height() / 2 + 29, 45) << "no jump to half the screen within a minute";
    EXPECT_NEAR(jumped.left(), screen.width() / 2 + 3, 45);
}

TEST_F(RingingOnDesktop, SnoozeHidesBothWindowsAndRingsTheDefaultSoundFiveMinutesLater)
{
    ASSERT_NO_FATAL_FAILURE(startWithAlarm(at(7, 4, 50), {"7", "5"}));
    const unsigned long ring = waitForRinging();
    ASSERT_NE(ring, 0UL) << "no ringing window at 07:05";

    m_desktop.click(ring, centre::snoozeButton[0], centre::snoozeButton[1]);
    const unsigned long message = m_desktop.waitForWindow(QStringLiteral("信息："));
    ASSERT_NE(message, 0UL) << "no message after 5分钟再响";
    EXPECT_FALSE(m_desktop.isViewable(ring));
    EXPECT_FALSE(m_desktop.isViewable(m_main));
    QThread::msleep(500);
    const auto silent = Clock::now();
    EXPECT_FALSE(soundHeardAfter(silent, 500ms)) << "the sound goes on while snoozing";

    // The five minutes pass in three seconds. The program takes the new
    // speed when it next asks for the time, which the clock display does
    // every second, and its sleep runs at the speed it started with.
    m_program->setSpeed(100);
    QThread::msleep(1500);
    m_desktop.keyInWindow(message, {QStringLiteral("Return")});
    const auto answered = Clock::now();
    EXPECT_FALSE(m_desktop.isViewable(ring)) << "the ringing window came back at once";
    const auto deadline = Clock::now() + 15s;
    while (Clock::now() < deadline && !(m_desktop.isViewable(ring) && m_desktop.isViewable(m_main)))
        QThread::msleep(50);
    EXPECT_TRUE(m_desktop.isViewable(ring) && m_desktop.isViewable(m_main)) << "the windows did not come back";
    EXPECT_GT(Clock::now() - answered, 2s) << "the windows came back before the five minutes were over";
    m_program->setSpeed(1);
    EXPECT_TRUE(soundHeardAfter(answered, 5s)) << "no sound after the snooze";
}
