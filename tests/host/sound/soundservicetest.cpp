#include "host/commands/files.h"
#include "host/sound/soundservice.h"

#include "resources/builtinsound.h"
#include "sound/capturelog.h"

#include "mp3fixtures.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <thread>
#include <utility>

using namespace host;
using resources::builtInSound;
using namespace std::chrono_literals;
using host::sound::CaptureLog;
using testsupport::TemporaryFolder;
using soundtest::millisecondsFor;
using testsupport::waitUntil;

namespace {

// What a request may take on the UI thread at most: far less than any wait
// for a file or a device, with room for a busy machine.
constexpr double promptly = soundtest::kPromptMilliseconds;

Text path(const std::string& fileSystemPath)
{
    return Text::fromUtf8(fileSystemPath);
}

class SoundServiceTest : public ::testing::Test
{
protected:
    void SetUp() override { m_threadsBefore = soundtest::threadCount(); }

    void TearDown() override
    {
        stopAllSound();
        sound::setAudioOutputFactory({});
    }

    void capture(double speed)
    {
        m_log = std::make_unique<CaptureLog>(speed);
        sound::setAudioOutputFactory(m_log->factory());
    }

    std::vector<CaptureLog::Segment> segments() const { return m_log->segments(); }

    // The current player's worker is the only thread left once its pipeline is done.
    bool pipelineEnds(std::chrono::milliseconds timeout) const
    {
        return waitUntil([&] { return soundtest::threadCount() <= m_threadsBefore + 1; }, timeout);
    }

    TemporaryFolder folder;
    const std::string tone = folder.write("tone.mp3", soundtest::encodeMp3({.frames = 4000}));
    const std::string other
        = folder.write("other.mp3", soundtest::encodeMp3({.rate = 48000, .channels = 1, .frames = 5000}));
    std::unique_ptr<CaptureLog> m_log;
    int m_threadsBefore = 0;
};

} // namespace

TEST_F(SoundServiceTest, CountOmittedPlaysTheListOnce)
{
    capture(0);
    playFiles({path(tone), std::vector<Text> {path(other), Text(), path(tone)}});
    ASSERT_TRUE(m_log->waitFor([](const auto& s) { return s.size() == 3 && s[2].closed; }, 2s));
    std::this_thread::sleep_for(30ms);
    const auto played = segments();
    ASSERT_EQ(played.size(), 3u);
    EXPECT_EQ(played[0].frames, 4000);
    EXPECT_EQ(played[1].frames, 5000);
    EXPECT_EQ(played[1].rate, 48000);
    EXPECT_EQ(played[2].frames, 4000);
}

TEST_F(SoundServiceTest, NegativeCountRepeatsUntilStopAllSound)
{
    capture(8.0);
    playFiles(-1, {path(tone)});
    ASSERT_TRUE(m_log->waitFor([](const auto& s) { return s.size() >= 4; }, 2s));
    EXPECT_LT(millisecondsFor([] { stopAllSound(); }), promptly);
    const std::size_t count = segments().size();
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(segments().size(), count);
    EXPECT_EQ(m_log->liveOutputs(), 0);
    EXPECT_TRUE(soundtest::threadsSettleAt(m_threadsBefore));
}

TEST_F(SoundServiceTest, SecondRequestReplacesTheFirst)
{
    capture(1.0);
    const std::string longer = folder.write("longer.mp3", soundtest::encodeMp3({.frames = 88200}));
    playFiles({path(longer)});
    ASSERT_TRUE(m_log->waitFor([](const auto& s) { return !s.empty() && s[0].frames > 0; }, 2s));
    EXPECT_LT(millisecondsFor([&] { playFiles({path(other)}); }), promptly);
    ASSERT_TRUE(m_log->waitFor([](const auto& s) { return s.size() == 2 && s[1].closed; }, 2s));
    const auto played = segments();
    EXPECT_TRUE(played[0].dropped);
    EXPECT_LT(played[0].frames, 88200);
    EXPECT_EQ(played[1].frames, 5000);
}

TEST_F(SoundServiceTest, CountZeroAndEmptyPathsOnlyStop)
{
    capture(1.0);
    const std::string longer = folder.write("longer.mp3", soundtest::encodeMp3({.frames = 88200}));
    const std::pair<const char*, std::function<void()>> requests[] = {
        {"count 0", [&] { playFiles(0, {path(other)}); }},
        {"empty path", [] { playFiles({Text()}); }},
        {"array of empty paths", [] { playFiles(3, {std::vector<Text> {Text(), Text()}}); }},
    };
    for (const auto& [name, request] : requests) {
        SCOPED_TRACE(name);
        const std::size_t before = segments().size();
        playFiles({path(longer)});
        ASSERT_TRUE(m_log->waitFor([&](const auto& s) { return s.size() > before && s.back().frames > 0; }, 2s));
        // The request stops the sound playing and starts nothing new.
        request();
        EXPECT_TRUE(segments().back().closed);
        const int outputs = m_log->outputsCreated();
        std::this_thread::sleep_for(50ms);
        EXPECT_EQ(m_log->outputsCreated(), outputs);
    }
    EXPECT_TRUE(soundtest::threadsSettleAt(m_threadsBefore));
}

// A file that is no MP3, or no file at all, as a user may pick or type it.
struct HostileInput
{
    const char* name;
    std::function<std::string(const TemporaryFolder&)> make;
    bool heard = false;
};

class HostileInputs : public SoundServiceTest, public ::testing::WithParamInterface<HostileInput>
{
};

TEST_P(HostileInputs, AreQuietPromptAndBounded)
{
    const HostileInput& c = GetParam();
    capture(0);
    const std::string file = c.make(folder);
    const soundtest::StandardErrorCapture standardError;
    const long memoryBefore = soundtest::peakMemoryKilobytes();
    const auto start = std::chrono::steady_clock::now();
    const double returned = millisecondsFor([&] { playFiles(-1, {path(file)}); });
    // An endless count: a file that is heard starts again, one that is not stays silent.
    const auto firstPassPlayed = [](const auto& s) { return !s.empty() && s[0].closed; };
    const bool ended = c.heard ? m_log->waitFor(firstPassPlayed, 2s) : pipelineEnds(2s);
    const double endedAfter = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(returned, promptly);
    EXPECT_TRUE(ended);
    EXPECT_LT(millisecondsFor([] { stopAllSound(); }), promptly);
    EXPECT_TRUE(soundtest::threadsSettleAt(m_threadsBefore));
    const std::int64_t frames = segments().empty() ? 0 : segments()[0].frames;
    EXPECT_EQ(frames > 0, c.heard);
    EXPECT_LE(frames, 4000); // nothing but the tone is played
    EXPECT_LT(soundtest::peakMemoryKilobytes() - memoryBefore, 16 * 1024);
    EXPECT_EQ(standardError.text(), "");
    std::printf("%s: %lld frames, returned in %.1f ms, ended after %.1f ms, peak %ld KiB\n", c.name,
                static_cast<long long>(frames), returned, endedAfter, soundtest::peakMemoryKilobytes());
}

std::string mp3Tone()
{
    return soundtest::encodeMp3({.frames = 4000});
}

// A file of the test's folder, made from `bytes`.
std::function<std::string(const TemporaryFolder&)> fileOf(const char* name, std::function<std::string()> bytes)
{
    return [=](const TemporaryFolder& folder) { return folder.write(name, bytes()); };
}

INSTANTIATE_TEST_SUITE_P(
    SoundService, HostileInputs,
    ::testing::Values(
        HostileInput{"MissingPath", [](const TemporaryFolder& f) { return f.file("missing.mp3"); }},
        HostileInput{"Directory", [](const TemporaryFolder& f) { return f.path(); }},
        HostileInput{"Fifo",
                     [](const TemporaryFolder& f) {
                         EXPECT_EQ(mkfifo(f.file("fifo.mp3").c_str(), 0600), 0);
                         return f.file("fifo.mp3");
                     }},
        HostileInput{"DevZero", [](const TemporaryFolder&) { return std::string("/dev/zero"); }},
        HostileInput{"DevUrandom", [](const TemporaryFolder&) { return std::string("/dev/urandom"); }},
        HostileInput{"Sparse2GiBOfZeros",
                     [](const TemporaryFolder& f) {
                         EXPECT_EQ(truncate(f.write("sparse.mp3", "").c_str(), 2LL << 30), 0);
                         return f.file("sparse.mp3");
                     }},
        HostileInput{"ZeroLengthFile", fileOf("empty.mp3", [] { return std::string(); })},
        HostileInput{"EightMiBOfZeros", fileOf("zeros.mp3", [] { return std::string(8 << 20, '\0'); })},
        HostileInput{"WavRenamedMp3", fileOf("wave.mp3", [] { return soundtest::wavFile(200000); })},
        HostileInput{"OnlyTags", fileOf("tags.mp3", [] { return soundtest::id3v2Tag(3, true) + soundtest::id3v1Tag(); })},
        HostileInput{"First300Bytes", fileOf("truncated.mp3", [] { return mp3Tone().substr(0, 300); })},
        HostileInput{"EightKilohertzStream",
                     fileOf("8k.mp3", [] { return soundtest::encodeMp3({.rate = 8000, .channels = 1, .frames = 8000}); })},
        HostileInput{"PathOutsideGbk", fileOf("\xF0\x9F\x94\x94.mp3", mp3Tone), true},
        HostileInput{"PathOf4KiB",
                     [](const TemporaryFolder& f) {
                         std::string longPath = f.path();
                         while (longPath.size() < 4096)
                             longPath += "/" + std::string(200, 'd');
                         return longPath;
                     }},
        HostileInput{"HugeExtendedHeader",
                     fileOf("extended.mp3", [] { return soundtest::id3v2Tag(3, true).replace(10, 4, "\x7F\xFF\xFF\xFF") + mp3Tone(); }),
                     true},
        HostileInput{"TruncatedLastFrame",
                     fileOf("lastframe.mp3", [] { return mp3Tone().substr(0, mp3Tone().size() - 100); }), true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SoundServiceTest, GarbageEndsInBoundedTimeAndMemory)
{
    capture(0);
    const std::string garbage = folder.write("random.mp3", soundtest::randomBytes(16 << 20, 7));
    const std::string zeros = folder.write("zeros.mp3", std::string(16 << 20, '\0'));
    for (const std::string& file : {garbage, zeros}) {
        rusage before {};
        getrusage(RUSAGE_SELF, &before);
        const long long readBefore = soundtest::bytesRead();
        playFiles(-1, {path(file)});
        EXPECT_TRUE(pipelineEnds(2s)) << file;
        rusage after {};
        getrusage(RUSAGE_SELF, &after);
        EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 8 * 1024) << file; // kilobytes
        // The search gives up after a few megabytes, however long the file.
        EXPECT_LT(soundtest::bytesRead() - readBefore, 6 << 20) << file;
        stopAllSound();
    }
    // Random bytes may hold a few frames that decode, never a whole file of them.
    std::int64_t frames = 0;
    for (const auto& segment : segments())
        frames += segment.frames;
    EXPECT_LT(frames, 44100);
}

TEST_F(SoundServiceTest, TruncatedFilePlaysWhatItHasAndEnds)
{
    capture(0);
    const std::string mp3 = soundtest::encodeMp3({.frames = 44100});
    playFiles({path(folder.write("half.mp3", mp3.substr(0, mp3.size() / 2)))});
    ASSERT_TRUE(m_log->waitFor([](const auto& s) { return s.size() == 1 && s[0].closed; }, 2s));
    EXPECT_GT(segments()[0].frames, 15000);
    EXPECT_LT(segments()[0].frames, 30000);
}

TEST(BuiltInSound, IsThirtySecondsOfMpeg1Layer3StereoThatGetsLouder)
{
    const Bytes sound = builtInSound();
    ASSERT_GT(sound.data.size(), 100000u);
    // The first frame header: MPEG-1 Layer III, 44.1 kHz, joint stereo.
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(sound.data[i]); };
    EXPECT_EQ(byte(0), 0xFF);
    EXPECT_EQ(byte(1) & 0xFE, 0xFA);
    EXPECT_EQ((byte(2) >> 2) & 0x03, 0);
    EXPECT_NE(byte(3) >> 6, 3);

    CaptureLog log;
    sound::setAudioOutputFactory(log.factory());
    TemporaryFolder folder;
    ASSERT_TRUE(writeBytesToFile(Text::fromUtf8(folder.file("misc.mp3")), {sound}));
    playFiles({Text::fromUtf8(folder.file("misc.mp3"))});
    ASSERT_TRUE(log.waitFor([](const auto& s) { return s.size() == 1 && s[0].closed; }, 5s));
    stopAllSound();
    sound::setAudioOutputFactory({});
    const auto segment = log.segments().at(0);
    EXPECT_EQ(segment.rate, 44100);
    EXPECT_EQ(segment.channels, 2);
    EXPECT_NEAR(segment.frames / 44100.0, 30.0, 1.0);
    EXPECT_GT(segment.peak, 16000);
}
