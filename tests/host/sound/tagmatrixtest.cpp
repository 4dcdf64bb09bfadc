// Every tag a music player may write around an MP3, played through the whole
// pipeline into a capturing output and compared with what libmpg123 itself
// decodes from the same file.

#include "sound/capturelog.h"
#include "host/sound/soundservice.h"

#include "mp3fixtures.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <mpg123.h>

#include <cstdio>
#include <cstdlib>

using namespace host;
using namespace std::chrono_literals;
using host::sound::CaptureLog;
using soundtest::Id3v2;

namespace {

constexpr std::size_t cover = 5 << 20;
constexpr int toneFrames = 6000;

struct Decoded
{
    std::int64_t frames = 0;
    int peak = 0;
};

// libmpg123 reading the file on its own, gapless, at the stream's rate.
Decoded referenceDecode(const std::string& file)
{
    Decoded decoded;
    mpg123_handle* handle = mpg123_new(nullptr, nullptr);
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    mpg123_format_none(handle);
    mpg123_format(handle, 44100, MPG123_STEREO, MPG123_ENC_SIGNED_16);
    if (mpg123_open(handle, file.c_str()) == MPG123_OK) {
        std::int16_t buffer[4096];
        for (int result = MPG123_OK; result == MPG123_OK || result == MPG123_NEW_FORMAT;) {
            std::size_t bytes = 0;
            result = mpg123_read(handle, buffer, sizeof buffer, &bytes);
            decoded.frames += static_cast<std::int64_t>(bytes / 4);
            for (std::size_t i = 0; i < bytes / 2; ++i)
                decoded.peak = std::max(decoded.peak, std::abs(int(buffer[i])));
        }
    }
    mpg123_delete(handle);
    return decoded;
}

struct TagCase
{
    const char* name;
    std::string before;
    std::string after;
    bool libraryFindsTheAudio = true; ///< libmpg123 reading the file itself
};

std::string damagedTag()
{
    // The size claims a megabyte more than the file holds.
    std::string tag = soundtest::id3v2Tag(Id3v2 {.version = 3, .padding = 0});
    tag[6] = '\x01';
    return tag;
}

std::vector<TagCase> tagCases()
{
    using soundtest::id3v2Tag;
    const std::string text(3000, 'j');
    return {
        {"no tag", "", ""},
        {"ID3v2.2", id3v2Tag({.version = 2}), ""},
        {"ID3v2.3", id3v2Tag({.version = 3}), ""},
        {"ID3v2.3 extended header", id3v2Tag({.version = 3, .extendedHeader = true}), ""},
        {"ID3v2.4", id3v2Tag({.version = 4}), ""},
        {"ID3v2.4 extended header, footer", id3v2Tag({.version = 4, .extendedHeader = true, .footer = true}), ""},
        {"ID3v2.2 5 MiB cover", id3v2Tag({.version = 2, .pictureBytes = cover}), ""},
        {"ID3v2.3 5 MiB cover", id3v2Tag({.version = 3, .pictureBytes = cover}), ""},
        {"ID3v2.4 5 MiB cover, footer", id3v2Tag({.version = 4, .footer = true, .pictureBytes = cover}), ""},
        {"ID3v2.4 + 2.3 + 2.2", id3v2Tag({.version = 4}) + id3v2Tag({.version = 3}) + id3v2Tag({.version = 2}), ""},
        {"3000 zero bytes after a tag", id3v2Tag({.version = 3}) + std::string(3000, '\0'), ""},
        {"3000 bytes of junk", text, ""},
        {"64 KiB of zeros after a tag", id3v2Tag({.version = 4}) + std::string(64 << 10, '\0'), "", false},
        {"tag past the end of the file", damagedTag(), "", false},
        {"ID3v1", "", soundtest::id3v1Tag()},
        {"APEv2", "", soundtest::apeTag(false)},
        {"APEv2 with header + ID3v1", "", soundtest::apeTag(true) + soundtest::id3v1Tag()},
        {"ID3v2.4 at the end", "", id3v2Tag({.version = 4, .footer = true})},
        {"all of them", id3v2Tag({.version = 4, .pictureBytes = cover}) + id3v2Tag({.version = 3}),
         soundtest::apeTag(true) + soundtest::id3v1Tag()},
    };
}

class TagMatrixTest : public ::testing::Test
{
protected:
    void SetUp() override { sound::setAudioOutputFactory(m_log.factory()); }
    void TearDown() override
    {
        stopAllSound();
        sound::setAudioOutputFactory({});
    }

    CaptureLog m_log;
    testsupport::TemporaryFolder m_folder;
};

} // namespace

TEST_F(TagMatrixTest, EveryTagIsSkippedAndTheAudioPlaysWhole)
{
    const std::string audio = soundtest::encodeMp3({.frames = toneFrames});
    const Decoded untagged = referenceDecode(m_folder.write("untagged.mp3", audio));
    ASSERT_EQ(untagged.frames, toneFrames);
    std::printf("%-34s %9s %8s %8s\n", "file", "bytes", "played", "libmpg123");
    for (const TagCase& tagCase : tagCases()) {
        const std::string file = m_folder.write("tagged.mp3", tagCase.before + audio + tagCase.after);
        const std::size_t before = m_log.segments().size();
        playFiles({Text::fromUtf8(file)});
        const bool ended = m_log.waitFor([&](const auto& s) { return s.size() > before && s.back().closed; }, 5s);
        const CaptureLog::Segment played = ended ? m_log.segments().back() : CaptureLog::Segment {};
        const Decoded reference = referenceDecode(file);
        const std::size_t bytes = tagCase.before.size() + audio.size() + tagCase.after.size();
        std::printf("%-34s %9zu %8lld %8lld\n", tagCase.name, bytes, static_cast<long long>(played.frames),
                    static_cast<long long>(reference.frames));
        EXPECT_TRUE(ended) << tagCase.name;
        EXPECT_EQ(played.frames, untagged.frames) << tagCase.name;
        EXPECT_EQ(played.peak, untagged.peak) << tagCase.name;
        if (tagCase.libraryFindsTheAudio) {
            EXPECT_EQ(played.frames, reference.frames) << tagCase.name;
            EXPECT_EQ(played.peak, reference.peak) << tagCase.name;
        }
        EXPECT_TRUE(played.drained) << tagCase.name;
        stopAllSound();
    }
}
