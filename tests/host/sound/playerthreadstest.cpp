// Built with ThreadSanitizer: players removed, replaced, paused and left to
// finish while their worker and pipeline threads run. A data race fails the
// test run; so does a thread that outlives its player.

#include "sound/capturelog.h"
#include "host/sound/soundservice.h"

#include "mp3fixtures.h"
#include "playerentries.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <random>
#include <thread>

using namespace host::sound;
using namespace std::chrono_literals;

namespace {

class PlayerThreadsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The sanitizer starts a thread of its own with the first thread created.
        std::thread([] {}).join();
        m_threadsBefore = soundtest::threadCount();
    }

    void TearDown() override
    {
        host::stopAllSound();
        setAudioOutputFactory({});
    }

    soundtest::PlayerEntries m_entry;
    testsupport::TemporaryFolder m_folder;
    const std::string m_long = m_folder.write("long.mp3", soundtest::encodeMp3({.frames = 44100 * 2}));
    const std::string m_short = m_folder.write("short.mp3", soundtest::encodeMp3({.channels = 1, .frames = 1500}));
    int m_threadsBefore = 0;
};

void countNotification(void* context, std::uint32_t, std::intptr_t, std::intptr_t)
{
    static_cast<std::atomic<int>*>(context)->fetch_add(1);
}

} // namespace

TEST_F(PlayerThreadsTest, RemovingAPlayingPlayerEndsItsThreads)
{
    CaptureLog log(1.0);
    setAudioOutputFactory(log.factory());
    PlayerHandle player = m_entry.create(soundtest::fileList({m_long}).c_str(), 0);
    ASSERT_EQ(m_entry.newPlay(player, nullptr, nullptr, 0), 1);
    ASSERT_TRUE(log.waitFor([](const auto& s) { return !s.empty() && s[0].frames > 4000; }, 5s));
    EXPECT_EQ(soundtest::threadCount(), m_threadsBefore + 2); // the worker and the pipeline
    EXPECT_EQ(m_entry.remove(player), 1);
    EXPECT_TRUE(soundtest::threadsSettleAt(m_threadsBefore));
    EXPECT_EQ(log.liveOutputs(), 0);
    EXPECT_TRUE(log.segments()[0].dropped);
}

TEST_F(PlayerThreadsTest, PlayersComeAndGoInEveryState)
{
    CaptureLog log(4.0);
    setAudioOutputFactory(log.factory());
    std::mt19937 random(42);
    std::atomic<int> notifications = 0;
    const NotificationTarget target {countNotification, &notifications};
    for (int round = 0; round < 40; ++round) {
        PlayerHandle player = m_entry.create(soundtest::fileList({m_short, m_long, m_short}).c_str(), round % 3);
        m_entry.newPlay(player, &target, "note", 0);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        if (round % 4 == 1) {
            m_entry.pause(player, 1);
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
            m_entry.state(player);
            m_entry.pause(player, 0);
        } else if (round % 4 == 2) {
            m_entry.newPlay(player, nullptr, nullptr, 0); // restart while playing
        }
        m_entry.state(player);
        m_entry.remove(player);
        EXPECT_TRUE(soundtest::threadsSettleAt(m_threadsBefore)) << "round " << round;
    }
    EXPECT_EQ(log.liveOutputs(), 0);
}

TEST_F(PlayerThreadsTest, PlayersThatFinishOnTheirOwnLeaveNoThreads)
{
    CaptureLog log;
    setAudioOutputFactory(log.factory());
    PlayerHandle player = m_entry.create(soundtest::fileList({m_short, m_short}).c_str(), 3);
    m_entry.newPlay(player, nullptr, nullptr, 0);
    ASSERT_TRUE(log.waitFor([](const auto& s) { return s.size() == 6 && s[5].closed; }, 5s));
    EXPECT_TRUE(soundtest::threadsSettleAt(m_threadsBefore, 2s));
    EXPECT_EQ(m_entry.state(player), 0);
    m_entry.remove(player);
}

TEST_F(PlayerThreadsTest, RequestsReplaceEachOtherRapidly)
{
    CaptureLog log(2.0);
    setAudioOutputFactory(log.factory());
    const host::Text longPath = host::Text::fromUtf8(m_long);
    const host::Text shortPath = host::Text::fromUtf8(m_short);
    for (int round = 0; round < 30; ++round) {
        host::playFiles(round % 2 ? -1 : 2, {round % 3 ? longPath : shortPath, shortPath});
        std::this_thread::sleep_for(std::chrono::milliseconds(round % 7));
    }
    host::stopAllSound();
    EXPECT_TRUE(soundtest::threadsSettleAt(m_threadsBefore));
    EXPECT_EQ(log.liveOutputs(), 0);
}
