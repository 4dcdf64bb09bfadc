// The ringing window of the real program: a shaking alarm moves its window in
// 10-pixel steps and jumps to half the screen size once a minute; the snooze
// hides both windows behind a message and brings them back five minutes later
// with the default sound.

#include "programfixture.h"
#include "waiting.h"
#include "windowmoves.h"

#include <QThread>

#include <algorithm>
#include <map>

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
    WindowMoves moves(m_desktop.display(), ring);
    ASSERT_TRUE(moves.isWatching());

    // Drifting up, the window stays above where it opened until, a minute on,
    // it jumps to half the screen's width and height, near (640, 400) on the
    // 1280 × 800 screen.
    const QSize screen = m_desktop.screenSize();
    const QPoint middle(screen.width() / 2, screen.height() / 2);
    std::vector<QPoint> seen;
    std::size_t landed = 0;
    testsupport::waitUntil(
        [&] {
            seen = moves.positions();
            for (std::size_t index = 1; index < seen.size() && landed == 0; ++index)
                landed = (seen[index] - middle).manhattanLength() <= 30 ? index : 0;
            return landed != 0;
        },
        20s, 100ms);
    ASSERT_GT(landed, 0u) << "no jump to half the screen within a minute";

    // Until then it shook in steps of 10 pixels, on a grid of 10 pixels. A few
    // positions fall off the grid: the window manager's placement as the
    // window opens, the jump's move across before its move down, and on a
    // busy machine some more (one run had 24 of 2,310); steps of another size
    // would leave about one position in ten on any one grid.
    std::map<std::pair<int, int>, int> onGrid;
    for (std::size_t index = 0; index < landed; ++index)
        ++onGrid[{(seen[index].x() % 10 + 10) % 10, (seen[index].y() % 10 + 10) % 10}];
    int mostOnOneGrid = 0;
    for (const auto& [grid, count] : onGrid)
        mostOnOneGrid = std::max(mostOnOneGrid, count);
    EXPECT_GE(landed, 10u) << "the window hardly shook before the jump";
    EXPECT_GE(mostOnOneGrid * 10, static_cast<int>(landed) * 9) << "the window moved by other than 10-pixel steps";
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
