#include "host/commands/delay.h"
#include "testwindows.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace host;
using namespace std::chrono_literals;

namespace {

class Delay : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setSleep([this](std::chrono::milliseconds duration) {
            m_requested.push_back(duration);
            std::this_thread::sleep_for(150ms);
        });
    }
    void TearDown() override { setSleep({}); }

    std::vector<std::chrono::milliseconds> m_requested;
};

} // namespace

TEST_F(Delay, BlocksTimerTicksWhileItSleeps)
{
    int ticks = 0;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start();

    ASSERT_TRUE(testsupport::waitUntil([&ticks] { return ticks >= 2; }, std::chrono::seconds(2)));

    const int ticksBefore = ticks;
    QElapsedTimer elapsed;
    elapsed.start();
    delay(60000);
    EXPECT_GE(elapsed.elapsed(), 150);
    EXPECT_EQ(ticks, ticksBefore);
    ASSERT_EQ(m_requested.size(), 1u);
    EXPECT_EQ(m_requested[0], 60000ms);

    // The ticks that fell due meanwhile are not made up afterwards.
    QCoreApplication::processEvents();
    EXPECT_LE(ticks, ticksBefore + 1);
}

TEST_F(Delay, NegativeIsTakenAsZero)
{
    delay(-10);
    delay(0);
    ASSERT_EQ(m_requested.size(), 2u);
    EXPECT_EQ(m_requested[0], 0ms);
    EXPECT_EQ(m_requested[1], 0ms);
}
