#include "host/commands/files.h"

#include "resources/builtinsound.h"
#include "temporaryfolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>

using namespace host;
using resources::builtInSound;

TEST(WriteBytesToFile, WritesExactlyTheBuiltInSound)
{
    testsupport::TemporaryFolder folder;
    const std::string file = folder.write("misc.mp3", std::string(1 << 20, 'x'));
    EXPECT_TRUE(writeBytesToFile(Text::fromUtf8(file), {builtInSound()}));
    EXPECT_EQ(testsupport::readFile(file), builtInSound().data);
}

TEST(WriteBytesToFile, WritesArraysInOrderInAPathOfAnyScript)
{
    testsupport::TemporaryFolder folder;
    const std::string file = folder.file("闹钟 ✓.mp3");
    EXPECT_TRUE(writeBytesToFile(Text::fromUtf8(file), {Bytes {"ab"}, Bytes {}, Bytes {std::string("c\0d", 3)}}));
    EXPECT_EQ(testsupport::readFile(file), std::string("abc\0d", 5));
}

TEST(WriteBytesToFile, UnwritablePlacesAreFalse)
{
    testsupport::TemporaryFolder folder;
    EXPECT_FALSE(writeBytesToFile(Text(), {builtInSound()}));
    // Even root cannot write below a regular file, or into /proc.
    const std::string plain = folder.write("plain", "x");
    EXPECT_FALSE(writeBytesToFile(Text::fromUtf8(plain + "/misc.mp3"), {builtInSound()}));
    EXPECT_FALSE(writeBytesToFile(Text::fromUtf8("/proc/misc.mp3"), {builtInSound()}));
    EXPECT_FALSE(writeBytesToFile(Text::fromUtf8(folder.path()), {builtInSound()}));
    // A FIFO without a reader is refused at once instead of waiting.
    const std::string fifo = folder.file("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(writeBytesToFile(Text::fromUtf8(fifo), {builtInSound()}));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(RemoveFile, DeletesAFileAndReportsFailure)
{
    testsupport::TemporaryFolder folder;
    const std::string file = folder.write("misc.mp3", "x");
    EXPECT_TRUE(removeFile(Text::fromUtf8(file)));
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_FALSE(removeFile(Text::fromUtf8(file)));
    EXPECT_FALSE(removeFile(Text()));
    EXPECT_FALSE(removeFile(Text::fromUtf8(folder.path())));
}
