#include "sound/capturelog.h"

#include "mp3fixtures.h"
#include "playerentries.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

using namespace host::sound;
using namespace std::chrono_literals;
using testsupport::TemporaryFolder;
using soundtest::fileList;
using testsupport::waitUntil;

namespace {

// Notifications as a window would receive them.
struct Inbox
{
    static void post(void* context, std::uint32_t message, std::intptr_t first, std::intptr_t second)
    {
        auto* inbox = static_cast<Inbox*>(context);
        const std::lock_guard lock(inbox->mutex);
        inbox->messages.push_back({message, first, second});
    }
    std::size_t count()
    {
        const std::lock_guard lock(mutex);
        return messages.size();
    }

    struct Message
    {
        std::uint32_t message;
        std::intptr_t first;
        std::intptr_t second;
    };
    std::mutex mutex;
    std::vector<Message> messages;
};

class PlayerTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        for (PlayerHandle player : m_players)
            entry.remove(player);
        setAudioOutputFactory({});
    }

    void capture(double speed)
    {
        m_log = std::make_unique<CaptureLog>(speed);
        setAudioOutputFactory(m_log->factory());
    }

    PlayerHandle create(const std::vector<std::string>& paths, int count)
    {
        PlayerHandle player = entry.create(fileList(paths).c_str(), count);
        m_players.push_back(player);
        return player;
    }

    void remove(PlayerHandle player)
    {
        std::erase(m_players, player);
        EXPECT_EQ(entry.remove(player), 1);
    }

    std::vector<CaptureLog::Segment> segments() const { return m_log->segments(); }

    soundtest::PlayerEntries entry;
    TemporaryFolder folder;
    const std::string first = folder.write("first.mp3", soundtest::encodeMp3({.rate = 44100, .frames = 3000}));
    const std::string second
        = folder.write("second.mp3", soundtest::encodeMp3({.rate = 22050, .channels = 1, .frames = 2000}));
    std::unique_ptr<CaptureLog> m_log;

private:
    std::vector<PlayerHandle> m_players;
};

bool segmentsDone(const std::vector<CaptureLog::Segment>& segments, std::size_t count)
{
    return segments.size() >= count && segments[count - 1].closed;
}

} // namespace

TEST(PlayerModule, ResolvesTheSixEntryPointsByExactName)
{
    ModuleLoader loader(playerModule());
    for (const char* name : {"CreatePlayer", "NewPlay", "Play", "GetPlayState", "SetPauseState", "RemovePlayer"})
        EXPECT_NE(loader.lookup(name), nullptr) << name;
    for (const char* name : {"createplayer", "Play ", "", "Stop", "RemovePlayerX"})
        EXPECT_EQ(loader.lookup(name), nullptr) << name;
}

// Initialised once, on the first lookup, and finalised at the end only when
// initialised; a failed initialisation makes every lookup yield nothing.
TEST(PlayerModule, InitialisesOnFirstLookupOnlyAndFinalisesOnlyWhatItInitialised)
{
    static int initialiseCalls = 0;
    static int finaliseCalls = 0;
    const auto finalise = [] { ++finaliseCalls; };
    const struct
    {
        bool (*initialise)();
        bool found;
        int finalised;
    } cases[] = {{[] { ++initialiseCalls; return true; }, true, 1},
                 {[] { ++initialiseCalls; return false; }, false, 0}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.found);
        initialiseCalls = finaliseCalls = 0;
        {
            const ModuleRecord record {test.initialise, playerModule().resolve, finalise};
            ModuleLoader loader(record);
            EXPECT_EQ(initialiseCalls, 0);
            EXPECT_EQ(loader.lookup("Play") != nullptr, test.found);
            EXPECT_EQ(loader.lookup("RemovePlayer") != nullptr, test.found);
            EXPECT_EQ(initialiseCalls, 1);
        }
        EXPECT_EQ(finaliseCalls, test.finalised);
    }
}

TEST_F(PlayerTest, NullHandleDoesNothingAndReturnsZero)
{
    const NotificationTarget target;
    EXPECT_EQ(entry.newPlay(nullptr, &target, "text", 0), 0);
    EXPECT_EQ(entry.play(nullptr), 0);
    EXPECT_EQ(entry.state(nullptr), 0);
    EXPECT_EQ(entry.pause(nullptr, 1), 0);
    EXPECT_EQ(entry.remove(nullptr), 0);
}

TEST_F(PlayerTest, CountOfTwoPlaysTheListTwiceInOrderThenStops)
{
    capture(0);
    Inbox inbox;
    const NotificationTarget target {Inbox::post, &inbox};
    const int threadsBefore = soundtest::threadCount();
    PlayerHandle player = create({first, second}, 2);
    EXPECT_EQ(entry.newPlay(player, &target, nullptr, 0), 1);
    ASSERT_TRUE(m_log->waitFor([](const auto& segments) { return segmentsDone(segments, 4); }, 5s));
    // The worker ends with the last pass.
    EXPECT_TRUE(soundtest::threadsSettleAt(threadsBefore, 2s));
    EXPECT_EQ(entry.state(player), 0);

    const auto played = segments();
    ASSERT_EQ(played.size(), 4u);
    for (std::size_t i = 0; i < played.size(); ++i) {
        const bool isFirst = i % 2 == 0;
        EXPECT_EQ(played[i].rate, isFirst ? 44100 : 22050) << i;
        EXPECT_EQ(played[i].channels, isFirst ? 2 : 1) << i;
        EXPECT_EQ(played[i].frames, isFirst ? 3000 : 2000) << i;
        EXPECT_TRUE(played[i].drained) << i;
    }
    ASSERT_EQ(inbox.count(), 4u);
    for (const Inbox::Message& message : inbox.messages) {
        EXPECT_EQ(message.message, 0x8075u);
        EXPECT_EQ(message.first, 100);
        EXPECT_EQ(message.second, 0);
    }

    // A later Play starts the list once more.
    EXPECT_EQ(entry.play(player), 1);
    ASSERT_TRUE(m_log->waitFor([](const auto& segments) { return segmentsDone(segments, 6); }, 5s));
    EXPECT_TRUE(waitUntil([&] { return entry.state(player) == 0; }, 2s));
}

TEST_F(PlayerTest, CountOfZeroRepeatsUntilRemoved)
{
    capture(0);
    PlayerHandle player = create({second}, 0);
    entry.play(player);
    ASSERT_TRUE(m_log->waitFor([](const auto& segments) { return segments.size() >= 20; }, 5s));
    remove(player);
    const std::size_t count = segments().size();
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(segments().size(), count);
}

TEST_F(PlayerTest, PathThatCannotBeOpenedEndsThePlaybackThere)
{
    capture(0);
    PlayerHandle player = create({first, folder.file("missing.mp3"), second}, 0);
    entry.play(player);
    ASSERT_TRUE(waitUntil([&] { return entry.state(player) == 0; }, 2s));
    std::this_thread::sleep_for(30ms);
    const auto played = segments();
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].rate, 44100);
}

TEST_F(PlayerTest, TextOf512BytesOrMoreIsRefused)
{
    capture(0);
    PlayerHandle player = create({first}, 1);
    EXPECT_EQ(entry.newPlay(player, nullptr, std::string(512, 'x').c_str(), 0), 0);
    EXPECT_EQ(entry.state(player), 0);
    EXPECT_EQ(entry.newPlay(player, nullptr, std::string(511, 'x').c_str(), 0), 1);
    ASSERT_TRUE(m_log->waitFor([](const auto& segments) { return segmentsDone(segments, 1); }, 2s));
}

TEST_F(PlayerTest, EmptyListPlaysNothingAndStartsNoThread)
{
    capture(0);
    const int threadsBefore = soundtest::threadCount();
    PlayerHandle player = entry.create("\0", 1);
    ASSERT_NE(player, nullptr);
    EXPECT_TRUE(soundtest::threadsSettleAt(threadsBefore));
    EXPECT_EQ(entry.play(player), 0);
    remove(player);
}

TEST_F(PlayerTest, PauseAndResumeChangeThePlayState)
{
    capture(1.0);
    const std::string longer = folder.write("longer.mp3", soundtest::encodeMp3({.frames = 44100}));
    PlayerHandle player = create({longer}, 1);
    entry.play(player);
    EXPECT_EQ(entry.state(player), 1);
    ASSERT_TRUE(m_log->waitFor([](const auto& segments) { return !segments.empty() && segments[0].frames > 0; }, 2s));

    EXPECT_EQ(entry.pause(player, 1), 1);
    EXPECT_EQ(entry.state(player), -1);
    EXPECT_EQ(entry.pause(player, 1), 0);
    ASSERT_TRUE(m_log->waitFor([](const auto& segments) { return segments[0].pauses == 1; }, 1s));
    const std::int64_t framesWhenPaused = segments()[0].frames;
    std::this_thread::sleep_for(150ms);
    EXPECT_EQ(segments()[0].frames, framesWhenPaused);

    EXPECT_EQ(entry.pause(player, 0), 1);
    EXPECT_EQ(entry.state(player), 1);
    EXPECT_EQ(entry.pause(player, 0), 0);
    ASSERT_TRUE(m_log->waitFor([&](const auto& segments) { return segments[0].frames > framesWhenPaused; }, 1s));

    // A paused player stays paused; removing it ends everything.
    EXPECT_EQ(entry.pause(player, 1), 1);
    remove(player);
    EXPECT_EQ(m_log->liveOutputs(), 0);
}
