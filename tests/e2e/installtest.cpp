// The program as a Linux desktop finds it after cmake --install, and unpacked
// from its Debian package: the binary, a menu entry with the Chinese name, the
// icon in the hicolor theme, the software centre's metadata; and, run from a
// prefix it cannot write to, an alarm still rings with the built-in sound.
// The package names the packages the program needs and passes lintian.

#include "programfixture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#ifndef TIKORA_BUILD_DIR
#error "TIKORA_BUILD_DIR must name the build tree to install from"
#endif

using namespace std::chrono_literals;

namespace {

/// Runs a command to its end, keeping what it wrote; whether it ended with code 0.
bool run(const QString& program, const QStringList& arguments, std::string& output)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool ended = process.waitForFinished(120000);
    output = process.readAll().toStdString();
    return ended && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

enum class From { CMakeInstall, DebianPackage };

class Installed : public ProgramTest, public ::testing::WithParamInterface<From>
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        if (GetParam() == From::DebianPackage)
            return unpackPackage();
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral("cmake"), {QStringLiteral("--install"), QStringLiteral(TIKORA_BUILD_DIR),
                                                QStringLiteral("--prefix"), m_prefix.path()});
        ASSERT_TRUE(install.waitForFinished(60000) && install.exitCode() == 0) << install.readAll().toStdString();
    }

    /// Makes the Debian package from the build, checks its dependencies and
    /// lintian's verdict, and unpacks it into the prefix.
    void unpackPackage()
    {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
        GTEST_SKIP() << "packages are made from plain builds, which the plain suite checks";
#endif
        QTemporaryDir scratch;
        std::string out;
        ASSERT_TRUE(run(QStringLiteral("cpack"), {QStringLiteral("--config"), TIKORA_BUILD_DIR "/CPackConfig.cmake",
                                                  QStringLiteral("-B"), scratch.path()}, out)) << out;
        const QStringList found = QDir(scratch.path()).entryList({QStringLiteral("tikora_1.0_*.deb")});
        ASSERT_EQ(found.size(), 1) << out;
        const QString package = scratch.filePath(found.first());
        ASSERT_TRUE(run(QStringLiteral("dpkg-deb"), {QStringLiteral("--field"), package, QStringLiteral("Depends")}, out));
        QStringList names;
        for (const QString& item : QString::fromStdString(out).split(QRegularExpression(QStringLiteral("[,|]"))))
            names << item.trimmed().section(u' ', 0, 0);
        for (const char* name : {"libqt6widgets6", "libmpg123-0", "mpg123", "fonts-noto-cjk", "qt6-translations-l10n"})
            EXPECT_TRUE(names.contains(QLatin1String(name))) << name << " is not in " << out;
        EXPECT_TRUE(run(QStringLiteral("lintian"), {QStringLiteral("--fail-on"), QStringLiteral("error"), package}, out))
            << out;
        ASSERT_TRUE(run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), package, m_prefix.path()}, out)) << out;
        m_root = m_prefix.filePath(QStringLiteral("usr"));
        EXPECT_EQ(QDir(installed(QStringLiteral("bin"))).entryList(QDir::Files), QStringList{QStringLiteral("tikora")});
    }

    QString installed(const QString& path) const { return m_root + u'/' + path; }

    QTemporaryDir m_prefix;
    QString m_root = m_prefix.path();
};

INSTANTIATE_TEST_SUITE_P(From, Installed, ::testing::Values(From::CMakeInstall, From::DebianPackage),
                         [](const auto& info) {
                             return info.param == From::CMakeInstall ? "CMakeInstall" : "DebianPackage";
                         });

} // namespace

TEST_P(Installed, DesktopFindsTheProgramItsMenuEntryAndItsIcons)
{
    EXPECT_TRUE(QFile::permissions(installed(QStringLiteral("bin/tikora"))) & QFile::ExeOwner);
    QFile entry(installed(QStringLiteral("share/applications/" TIKORA_APP_ID ".desktop")));
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
    QFile metainfo(installed(QStringLiteral("share/metainfo/" TIKORA_APP_ID ".metainfo.xml")));
    ASSERT_TRUE(metainfo.open(QIODevice::ReadOnly));
    EXPECT_TRUE(metainfo.readAll().contains("<launchable type=\"desktop-id\">" TIKORA_APP_ID ".desktop<"));
}

TEST_P(Installed, AlarmRingsWithTheBuiltInSoundFromAReadOnlyPrefix)
{
    // A mount namespace of its own makes the prefix read-only for the program
    // alone, even for root, who ignores permission bits.
    const QString prefix = m_root;
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
