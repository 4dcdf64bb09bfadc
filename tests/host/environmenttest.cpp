#include "host/commands/environment.h"

#include "host/values/codec_p.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

using namespace host;

TEST(Environment, RunDirectoryIsTheProgramFolderWithoutTrailingSeparator)
{
    const Text folder = runDirectory();
    ASSERT_FALSE(folder.isEmpty());
    EXPECT_NE(folder.bytes().back(), '/');
    EXPECT_EQ(codec::toQString(folder), QCoreApplication::applicationDirPath());

    EXPECT_EQ(detail::folderOfProgram("/opt/tikora/tikora"), "/opt/tikora"_t);
    // A program in "/" has the empty folder, so folder + "/" + name is still a path.
    EXPECT_EQ(detail::folderOfProgram("/tikora"), Text());
}

TEST(Environment, EnterRunDirectoryMakesItCurrent)
{
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QDir::tempPath()));
    EXPECT_TRUE(enterRunDirectory());
    EXPECT_EQ(QDir::currentPath(), QCoreApplication::applicationDirPath());
    QDir::setCurrent(previous);
}

TEST(Environment, ScreenHasASize)
{
    EXPECT_GT(screenWidth(), 0);
    EXPECT_GT(screenHeight(), 0);
}
