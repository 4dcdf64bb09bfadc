// Many play/stop cycles through the real output, with a private sound server
// and with none: memory, threads and file descriptors must not grow. The
// number of cycles comes from TIKORA_SOUND_CYCLES (100 to 300 by default,
// so that CI stays quick; bench/sound-cycles.sh runs 10,000).

#include "resources/builtinsound.h"
#include "host/sound/out123output.h"
#include "host/commands/files.h"
#include "host/sound/soundservice.h"

#include "processusage.h"
#include "pulseserver.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <optional>

using namespace host;
using resources::builtInSound;
using namespace std::chrono_literals;

namespace {

struct Usage
{
    ProcessUsage process;
    long peakKilobytes = 0;
};

Usage usage()
{
    return {processUsage(), soundtest::peakMemoryKilobytes()};
}

// The real output, counting the opens the pipelines attempt.
std::atomic<int> opensTried {0};
std::atomic<int> opensSucceeded {0};
class CountingOutput final : public sound::AudioOutput
{
public:
    bool open(long rate, int channels) override
    {
        const bool opened = m_real.open(rate, channels);
        opensSucceeded += opened ? 1 : 0;
        ++opensTried;
        return opened;
    }
    bool write(std::span<const std::int16_t> samples) override { return m_real.write(samples); }
    std::chrono::milliseconds pending() const override { return m_real.pending(); }
    void drain() override { m_real.drain(); }
    void drop() override { m_real.drop(); }
    void pause() override { m_real.pause(); }
    void resume() override { m_real.resume(); }

private:
    sound::Out123Output m_real;
};

int cycles(int quick)
{
    const char* value = std::getenv("TIKORA_SOUND_CYCLES");
    return value ? std::atoi(value) : quick;
}

class SoundCyclesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        sound::setAudioOutputFactory([] { return std::make_unique<CountingOutput>(); });
        ASSERT_TRUE(writeBytesToFile(m_sound, {builtInSound()}));
    }
    void TearDown() override
    {
        stopAllSound();
        sound::setAudioOutputFactory({});
        unsetenv("PULSE_SERVER");
        unsetenv("ALSA_CONFIG_PATH");
    }

    // One ring: play, wait until the pipeline has tried the output, stop.
    void cycle()
    {
        const int before = opensTried;
        playFiles(-1, {m_sound});
        testsupport::waitUntil([&] { return opensTried > before; }, 2s);
        stopAllSound();
    }

    // Cycles until everything is warm, then the measured ones.
    void runCycles(const char* setting, bool heard)
    {
        // A failure just before (another test's) makes the output wait a moment.
        if (heard) {
            ASSERT_TRUE(testsupport::waitUntil([&] {
                const int opened = opensSucceeded;
                cycle();
                return opensSucceeded > opened;
            }, 5s));
        }
        for (int i = 0; i < 20; ++i)
            cycle();
        ASSERT_TRUE(soundtest::threadsSettleAt(m_threads));
        const Usage before = usage();
        const auto start = std::chrono::steady_clock::now();
        const int count = cycles(heard ? 100 : 300);
        const int opened = opensSucceeded;
        for (int i = 0; i < count; ++i)
            cycle();
        EXPECT_EQ(opensSucceeded - opened, heard ? count : 0);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_TRUE(soundtest::threadsSettleAt(m_threads));
        const Usage after = usage();
        std::printf("%s: %d cycles in %.1f s; heap %lld -> %lld bytes (%+.1f per cycle), threads %d -> %d, "
                    "descriptors %d -> %d, peak %ld -> %ld KiB\n",
                    setting, count, seconds, before.process.heapBytes, after.process.heapBytes,
                    double(after.process.heapBytes - before.process.heapBytes) / count, before.process.threads,
                    after.process.threads, before.process.descriptors, after.process.descriptors,
                    before.peakKilobytes, after.peakKilobytes);
        EXPECT_EQ(after.process.descriptors, before.process.descriptors);
        EXPECT_EQ(after.process.threads, before.process.threads);
        // Allocator noise, not a few bytes per cycle.
        EXPECT_LT(after.process.heapBytes - before.process.heapBytes, 64 * 1024);
    }

    testsupport::TemporaryFolder m_folder;
    const Text m_sound = Text::fromUtf8(m_folder.file("misc.mp3"));
    const int m_threads = soundtest::threadCount();
};

} // namespace

TEST_F(SoundCyclesTest, WithoutASoundServerNothingGrows)
{
    setenv("PULSE_SERVER", ("unix:" + m_folder.file("no-server")).c_str(), 1);
    runCycles("no sound server", false);
}

TEST_F(SoundCyclesTest, WithASoundServerNothingGrows)
{
    if (!soundtest::pulseAudioInstalled())
        GTEST_SKIP() << "pulseaudio is not installed";
    std::optional<soundtest::PulseServer> server;
    server.emplace();
    ASSERT_TRUE(server->waitUntilReady(10s)) << server->log();
    setenv("PULSE_SERVER", server->address().c_str(), 1);
    runCycles("private sound server", true);
}
