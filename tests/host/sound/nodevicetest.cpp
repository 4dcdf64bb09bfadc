// The real output on a machine without a sound device: no sound server
// answers and ALSA knows no card. Playback must end in silence within a
// second, without blocking the caller or keeping a core busy.

#include "resources/builtinsound.h"
#include "host/commands/files.h"
#include "host/sound/soundservice.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

using namespace host;
using resources::builtInSound;
using namespace std::chrono_literals;
using soundtest::millisecondsFor;

namespace {

class NoDeviceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // A server address nobody listens on, and an ALSA configuration with
        // no devices at all, so that a sound card of the machine stays unused.
        setenv("PULSE_SERVER", ("unix:" + m_folder.file("no-server")).c_str(), 1);
        setenv("ALSA_CONFIG_PATH", m_folder.write("alsa.conf", "").c_str(), 1);
        ASSERT_TRUE(writeBytesToFile(m_sound, {builtInSound()}));
        m_threadsBefore = soundtest::threadCount();
    }

    void TearDown() override
    {
        stopAllSound();
        unsetenv("PULSE_SERVER");
        unsetenv("ALSA_CONFIG_PATH");
    }

    testsupport::TemporaryFolder m_folder;
    const Text m_sound = Text::fromUtf8(m_folder.file("misc.mp3"));
    int m_threadsBefore = 0;
};

} // namespace

TEST_F(NoDeviceTest, EndlessPlaybackEndsInSilenceWithinASecondWithoutSpinning)
{
    const double cpuBefore = soundtest::processCpuMilliseconds();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_LT(millisecondsFor([&] { playFiles(-1, {m_sound}); }), soundtest::kPromptMilliseconds);
    // Only the player's idle worker is left once the pipeline has given up.
    EXPECT_TRUE(testsupport::waitUntil([&] { return soundtest::threadCount() <= m_threadsBefore + 1; }, 1s));
    const auto ended = std::chrono::steady_clock::now() - start;
    std::this_thread::sleep_until(start + 1s);
    EXPECT_LT(soundtest::processCpuMilliseconds() - cpuBefore, 200.0);
    // And it stays ended: an endless count does not retry the device.
    std::this_thread::sleep_for(200ms);
    EXPECT_LE(soundtest::threadCount(), m_threadsBefore + 1);
    EXPECT_LT(millisecondsFor([] { stopAllSound(); }), soundtest::kPromptMilliseconds);
    EXPECT_TRUE(soundtest::threadsSettleAt(m_threadsBefore));
    std::printf("no device: silence after %.1f ms\n", std::chrono::duration<double, std::milli>(ended).count());
}
