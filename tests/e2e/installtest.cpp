// The program as a Linux desktop finds it after cmake --install: the binary,
// a menu entry with the Chinese name, the icon in the hicolor theme; and,
// run from a prefix it cannot write to, an alarm still rings with the
// built-in sound.

#include "programfixture.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#ifndef TIKORA_BUILD_DIR
#error "TIKORA_BUILD_DIR must name the build tree to install from"
#endif

using namespace std::chrono_literals;

namespace {

class Installed : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral("cmake"), {QStringLiteral("--install"), QStringLiteral(TIKORA_BUILD_DIR),
                                                QStringLiteral("--prefix"), m_prefix.path()});
        ASSERT_TRUE(install.waitForFinished(60000) && install.exitCode() == 0) << install.readAll().toStdString();
    }

    QString installed(const QString& path) const { return m_prefix.filePath(path); }

    QTemporaryDir m_prefix;
};

} // namespace

TEST_F(Installed, DesktopFindsTheProgramItsMenuEntryAndItsIcons)
{
    EXPECT_TRUE(QFile::permissions(installed(QStringLiteral("bin/tikora"))) & QFile::ExeOwner);
    QFile entry(installed(QStringLiteral("share/applications/tikora.desktop")));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(entry.readAll()).split(u'\n');
    for (const char* line : {"[Desktop Entry]", "Type=Application", "Name=Tikora 闹钟", "Exec=tikora", "Icon=tikora",
                             "Categories=Utility;Clock;"})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(line))) << line;
    // Each size as the icon file's true-colour image, not one of its low-colour ones.
    const QMap<int, QImage> stored = iconFileImages();
    for (int size : {16, 32, 48, 128}) {
        const QImage icon(installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/tikora.png").arg(size)), "PNG");
        EXPECT_TRUE(icon.convertToFormat(QImage::Format_ARGB32) == stored.value(size)) << size;
    }
}

TEST_F(Installed, AlarmRingsWithTheBuiltInSoundFromAReadOnlyPrefix)
{
    // A mount namespace of its own makes the prefix read-only for the program
    // alone, even for root, who ignores permission bits.
    const QString prefix = m_prefix.path();
    QTemporaryDir runtime;
    ProgramRun::Options options;
    options.command = {QStringLiteral("unshare"), QStringLiteral("-rm"), QStringLiteral("sh"), QStringLiteral("-c"),
                       QStringLiteral("mount --bind \"$0\" \"$0\" && mount -o remount,bind,ro \"$0\" && "
                                      "exec \"$0/bin/tikora\""),
                       prefix};
    options.environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    ASSERT_NO_FATAL_FAILURE(startWithAlarm(at(7, 4, 50), {"7", "5"}, options));
    const auto added = Clock::now();
    ASSERT_NE(waitForRinging(), 0UL) << "no ringing window at 07:05";
    EXPECT_TRUE(soundHeardAfter(added, 5s)) << "the built-in sound is not heard";
    EXPECT_FALSE(QFile::exists(installed(QStringLiteral("bin/misc.mp3"))));
}
