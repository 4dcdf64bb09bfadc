// Every input the fuzzers found troublesome (fuzz/regressions), played
// through the whole pipeline: each must end, quietly and promptly.

#include "sound/capturelog.h"
#include "host/sound/soundservice.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace host;
using namespace std::chrono_literals;

TEST(FuzzRegressions, EveryKeptInputEndsQuietly)
{
    sound::CaptureLog log;
    sound::setAudioOutputFactory(log.factory());
    const int threads = soundtest::threadCount();
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TIKORA_FUZZ_REGRESSIONS)) {
        ++inputs;
        playFiles({Text::fromUtf8(entry.path().string())});
        // Only the player's idle worker is left once the pipeline has ended.
        EXPECT_TRUE(testsupport::waitUntil([&] { return soundtest::threadCount() <= threads + 1; }, 5s))
            << entry.path();
        stopAllSound();
    }
    sound::setAudioOutputFactory({});
    EXPECT_GT(inputs, 0);
}
