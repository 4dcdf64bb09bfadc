#include "host/sound/soundfile.h"

#include "mp3fixtures.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <vector>

using host::sound::SoundFile;
using testsupport::TemporaryFolder;

namespace {

const std::string audio = soundtest::encodeMp3({.frames = 4410});

std::string readAll(SoundFile& file)
{
    std::string bytes;
    char buffer[1000];
    for (std::ptrdiff_t count; (count = file.read(buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, count);
    return bytes;
}

} // namespace

TEST(SoundFile, HandsOutAPlainFileWhole)
{
    TemporaryFolder folder;
    SoundFile file;
    ASSERT_EQ(file.open(folder.write("plain.mp3", audio)), SoundFile::Opened);
    EXPECT_EQ(readAll(file), audio);
    EXPECT_EQ(file.read(nullptr, 0), 0);
}

TEST(SoundFile, HandsOutOnlyTheAudioBetweenTags)
{
    using soundtest::id3v2Tag;
    std::string badSize = id3v2Tag(3, false);
    badSize[9] = '\x80'; // no synchsafe size: no tag, the decoder searches through it
    std::string overlongExtended = id3v2Tag(3, true);
    overlongExtended[13] = '\x7F';
    std::string pastTheEnd = id3v2Tag(4, false);
    pastTheEnd[6] = '\x01';
    struct Case
    {
        const char* name;
        std::string before, after;
        std::size_t kept; ///< bytes at the end of before handed out with the audio
    };
    const std::vector<Case> cases = {
        {"v2.2", id3v2Tag(2, false), "", 0},
        {"v2.3 extended", id3v2Tag(3, true), "", 0},
        {"v2.4 extended, footer", id3v2Tag({.version = 4, .extendedHeader = true, .footer = true}), "", 0},
        {"three tags", id3v2Tag(4, true) + id3v2Tag(2, false) + id3v2Tag(3, false), "", 0},
        {"size not synchsafe", badSize, "", badSize.size()},
        {"extended header larger than the tag", overlongExtended, "", 0},
        {"size past the end", pastTheEnd, "", pastTheEnd.size() - 10},
        {"ID3v1 after APEv2", "", soundtest::apeTag(true) + soundtest::id3v1Tag(), 0},
        {"footed v2.4 at the end", id3v2Tag(3, false), id3v2Tag({.version = 4, .footer = true}), 0},
    };
    TemporaryFolder folder;
    for (const Case& c : cases) {
        SoundFile file;
        ASSERT_EQ(file.open(folder.write("tagged.mp3", c.before + audio + c.after)), SoundFile::Opened);
        const std::string kept = c.before.substr(c.before.size() - c.kept);
        EXPECT_EQ(file.audioBegin(), static_cast<std::int64_t>(c.before.size() - c.kept)) << c.name;
        EXPECT_EQ(readAll(file), kept + audio) << c.name;
    }

    // A block at the end that would reach into the leading tag is no tag.
    const std::string tag = id3v2Tag(3, true);
    SoundFile file;
    ASSERT_EQ(file.open(folder.write("short.mp3", tag + "TAG" + std::string(100, 'x'))), SoundFile::Opened);
    EXPECT_EQ(file.audioEnd(), static_cast<std::int64_t>(tag.size() + 103));
}

TEST(SoundFile, MapsOpenFailuresToCodes)
{
    TemporaryFolder folder;
    SoundFile file;
    EXPECT_EQ(file.open(folder.file("missing.mp3")), SoundFile::NotFound);
    EXPECT_EQ(file.open(folder.write("plain", "x") + "/below"), SoundFile::NotFound);
    EXPECT_EQ(file.open(folder.path()), SoundFile::AccessDenied);
    EXPECT_EQ(file.open(folder.file(std::string(5000, 'n'))), SoundFile::InvalidArgument);
    EXPECT_EQ(file.read(nullptr, 10), -1);
}

TEST(SoundFile, RefusesFifosAndDevicesWithoutWaiting)
{
    TemporaryFolder folder;
    const std::string fifo = folder.file("fifo.mp3");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    SoundFile file;
    const double took = soundtest::millisecondsFor([&] {
        EXPECT_EQ(file.open(fifo), SoundFile::InvalidArgument);
        EXPECT_EQ(file.open("/dev/zero"), SoundFile::InvalidArgument);
        EXPECT_EQ(file.open("/dev/tty"), SoundFile::InvalidArgument);
    });
    EXPECT_LT(took, soundtest::kPromptMilliseconds);
}
