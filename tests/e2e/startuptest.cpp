// Start and end of the real program: the main window centred with its title,
// class and icon, the clock face at "00" until the first tick and then the time
// without leading zeros, the default sound file beside the program while it
// runs, gone after the main window is closed or the program is ended from outside.

#include "programfixture.h"
#include "temporaryfolder.h"

#include <QFile>
#include <QImage>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <cstring>

#ifndef TIKORA_SOURCE_DIR
#error "TIKORA_SOURCE_DIR must name the source tree"
#endif

using StartAndExit = ProgramTest;

TEST_F(StartAndExit, MainWindowIsCentredWithItsTitleClassAndIcon)
{
    ASSERT_NO_FATAL_FAILURE(startProgram(at(7, 4, 40)));
    EXPECT_EQ(m_desktop.windowTitle(m_main), QStringLiteral(" Tikora~闹钟  1.0"));
    EXPECT_EQ(m_desktop.windowClass(m_main), (QStringList{QStringLiteral("Tikora闹钟"), QStringLiteral("Tikora闹钟")}));
    expectMainWindowCentred();

    // The window manager gets the icon file's true-colour images, and 24 x 24 for panels.
    const QMap<int, QImage> stored = iconFileImages();
    QList<int> sizes;
    for (const QImage& icon : m_desktop.windowIcons(m_main)) {
        sizes.append(icon.width());
        if (icon.width() != 24) {
            EXPECT_TRUE(icon == stored.value(icon.width())) << icon.width() << " x " << icon.width();
        }
    }
    EXPECT_EQ(sizes, (QList<int>{16, 24, 32, 48, 128}));
}

TEST_F(StartAndExit, ClockShowsZerosThenTheTimeWithoutLeadingZeros)
{
    const auto launched = Clock::now();
    ASSERT_NO_FATAL_FAILURE(startProgram(at(9, 5, 1)));
    // Before the first tick, a second after start, the three boxes all read
    // "00" and so look alike; after it, hour, minute and second differ.
    const testsupport::TemporaryFolder folder;
    const QString shot = QString::fromStdString(folder.file("start.png"));
    ASSERT_TRUE(m_desktop.screenshot(shot));
    if (Clock::now() - launched < std::chrono::milliseconds(900)) {
        const QImage screen(shot);
        const QRect client = m_desktop.clientArea(m_main);
        const auto box = [&](int left) { return screen.copy(client.left() + left + 2, client.top() + 26, 46, 41); };
        EXPECT_EQ(box(16), box(80)) << "hour and minute boxes differ before the first tick";
        EXPECT_EQ(box(80), box(144)) << "minute and second boxes differ before the first tick";
    } else {
        std::printf("the first screenshot came too late to see the clock before its first tick\n");
    }

    QThread::msleep(1500);
    EXPECT_EQ(m_desktop.copyText(m_main, centre::clockHour[0], centre::clockHour[1]), QStringLiteral("9"));
    EXPECT_EQ(m_desktop.copyText(m_main, centre::clockMinute[0], centre::clockMinute[1]), QStringLiteral("5"));
    EXPECT_THAT(m_desktop.copyText(m_main, centre::clockSecond[0], centre::clockSecond[1]).toStdString(),
                ::testing::MatchesRegex("[2-9]"));
}

TEST_F(StartAndExit, DefaultSoundFileLivesBesideTheProgramWhileItRuns)
{
    ASSERT_NO_FATAL_FAILURE(startProgram(at(7, 4, 40)));
    const QString sound = m_program->folder() + QStringLiteral("/misc.mp3");
    EXPECT_TRUE(testsupport::readFile(sound.toStdString())
                == testsupport::readFile(TIKORA_SOURCE_DIR "/resources/alarm.mp3"))
        << "misc.mp3 beside the program does not hold the built-in sound";

    m_desktop.closeWindow(m_main);
    ASSERT_TRUE(m_program->waitForCleanExit(10000)) << "closing the main window did not end the program cleanly";
    EXPECT_FALSE(QFile::exists(sound)) << "misc.mp3 is left behind after exit";
}

TEST_F(StartAndExit, EndedFromOutsideItLeavesNoDefaultSoundFileBehind)
{
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(strsignal(signalNumber));
        ASSERT_NO_FATAL_FAILURE(startProgram(at(7, 4, 40)));
        const QString sound = m_program->folder() + QStringLiteral("/misc.mp3");
        ASSERT_TRUE(QFile::exists(sound));
        // Another's file put at that name after start is not the program's to remove.
        const bool replaced = signalNumber == SIGHUP && QFile::copy(sound, sound + "~") && QFile::remove(sound) &&
                              QFile::rename(sound + "~", sound);
        EXPECT_TRUE(m_program->signalAndWaitForEnd(signalNumber, 10000)) << "the program did not end";
        EXPECT_EQ(QFile::exists(sound), replaced) << "misc.mp3 is left behind, or another's file at its name is not";
        m_program.reset();
    }
}
