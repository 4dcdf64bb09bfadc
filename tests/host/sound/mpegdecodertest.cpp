#include "host/sound/mpegdecoder.h"

#include "mp3fixtures.h"

#include <gtest/gtest.h>

using host::sound::MpegDecoder;
using Status = MpegDecoder::Status;

namespace {

struct Decoded
{
    long rate = 0;
    int channels = 0;
    std::int64_t frames = 0;
    bool refused = false;
    bool failed = false;
};

// Feeds bytes in small pieces, as the pipeline does, and counts what comes out.
Decoded decode(const std::string& bytes, std::size_t piece = 4096)
{
    MpegDecoder decoder;
    Decoded result;
    std::size_t offset = 0;
    for (;;) {
        std::span<const std::int16_t> pcm;
        const Status status = decoder.next(pcm);
        if (status == Status::NeedMore) {
            if (offset >= bytes.size())
                return result;
            const std::size_t size = std::min(piece, bytes.size() - offset);
            EXPECT_TRUE(decoder.feed(bytes.data() + offset, size));
            offset += size;
        } else if (status == Status::NewFormat) {
            result.rate = decoder.rate();
            result.channels = decoder.channels();
        } else if (status == Status::Audio) {
            result.frames += static_cast<std::int64_t>(pcm.size()) / result.channels;
        } else {
            result.refused = status == Status::Unplayable;
            result.failed = status == Status::Failed;
            return result;
        }
    }
}

} // namespace

TEST(MpegDecoder, PlaysMpeg1AndMpeg2RatesExactlyAtTheirOwnRate)
{
    for (int rate : {32000, 44100, 48000, 16000, 22050, 24000}) {
        for (int channels : {1, 2}) {
            const int frames = rate / 5 + 77;
            const Decoded decoded = decode(soundtest::encodeMp3({.rate = rate, .channels = channels, .frames = frames}));
            EXPECT_EQ(decoded.rate, rate);
            EXPECT_EQ(decoded.channels, channels) << rate;
            EXPECT_EQ(decoded.frames, frames) << rate << " Hz, " << channels << " channels";
            EXPECT_FALSE(decoded.refused || decoded.failed);
        }
    }
}

TEST(MpegDecoder, RefusesMpeg25Rates)
{
    for (int rate : {8000, 11025, 12000}) {
        const Decoded decoded = decode(soundtest::encodeMp3({.rate = rate, .channels = 1, .frames = rate / 2}));
        EXPECT_TRUE(decoded.refused) << rate;
        EXPECT_EQ(decoded.frames, 0) << rate;
    }
}
