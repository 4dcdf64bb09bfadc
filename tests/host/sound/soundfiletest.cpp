#include "host/sound/soundfile.h"

#include "mp3fixtures.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>

using host::sound::SoundFile;
using soundtest::TemporaryFolder;

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

TEST(SoundFile, SkipsLeadingId3v23TagBySize)
{
    TemporaryFolder folder;
    for (bool extended : {false, true}) {
        const std::string tag = soundtest::id3v2Tag(3, extended);
        SoundFile file;
        ASSERT_EQ(file.open(folder.write("tagged.mp3", tag + audio)), SoundFile::Opened);
        EXPECT_EQ(file.audioBegin(), static_cast<std::int64_t>(tag.size())) << "extended header " << extended;
        EXPECT_EQ(readAll(file), audio) << "extended header " << extended;
    }
}

TEST(SoundFile, LeavesOtherLeadingTagsToTheDecoder)
{
    TemporaryFolder folder;
    SoundFile file;
    // Only ID3v2.3 is skipped here.
    ASSERT_EQ(file.open(folder.write("v24.mp3", soundtest::id3v2Tag(4, false) + audio)), SoundFile::Opened);
    EXPECT_EQ(file.audioBegin(), 0);

    // A size byte with its high bit set is no synchsafe size.
    std::string broken = soundtest::id3v2Tag(3, false);
    broken[9] = '\x80';
    ASSERT_EQ(file.open(folder.write("broken.mp3", broken + audio)), SoundFile::Opened);
    EXPECT_EQ(file.audioBegin(), 0);

    // An extended header that claims more room than the whole tag.
    std::string overlong = soundtest::id3v2Tag(3, true);
    overlong[13] = '\x7F';
    ASSERT_EQ(file.open(folder.write("overlong.mp3", overlong + audio)), SoundFile::Opened);
    EXPECT_EQ(file.audioBegin(), 0);
}

TEST(SoundFile, ExcludesTrailingId3v1Block)
{
    TemporaryFolder folder;
    const std::string tag = soundtest::id3v2Tag(3, true);
    SoundFile file;
    ASSERT_EQ(file.open(folder.write("both.mp3", tag + audio + soundtest::id3v1Tag())), SoundFile::Opened);
    EXPECT_EQ(file.audioEnd(), static_cast<std::int64_t>(tag.size() + audio.size()));
    EXPECT_EQ(readAll(file), audio);

    // A tag that would reach into the leading tag is not one.
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
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(file.open(fifo), SoundFile::InvalidArgument);
    EXPECT_EQ(file.open("/dev/zero"), SoundFile::InvalidArgument);
    EXPECT_EQ(file.open("/dev/tty"), SoundFile::InvalidArgument);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
}
