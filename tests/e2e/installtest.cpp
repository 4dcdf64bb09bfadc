// The program as a Linux desktop finds it after cmake --install: the binary,
// a menu entry with the Chinese name, the icon in the hicolor theme; and,
// run from a prefix it cannot write to, an alarm still rings with the
// built-in sound. The same unpacked from its Debian package, which passes lintian.

#include "programfixture.h"

#include <QDir>
#include <QFile>
#include <QImage>

#ifndef TIKORA_BUILD_DIR
#error "TIKORA_BUILD_DIR must name the build tree to install from"
#endif

using namespace std::chrono_literals;

namespace {

/// Runs a command to its end, keeping what it wrote; whether it ended with code 0.
bool run(const QStringList& command, std::string& output)
{
    return testsupport::runToEnd(commandOf(command.first(), command.mid(1)), output) == 0;
}

class Installed : public ProgramTest, public ::testing::WithParamInterface<const char*>
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        if (GetParam() == QLatin1String("DebianPackage"))
            return unpackPackage();
        std::string out;
        ASSERT_TRUE(run({"cmake", "--install", TIKORA_BUILD_DIR, "--prefix", m_root}, out)) << out;
    }

    /// Makes the Debian package, checks its dependencies and lintian's verdict, and unpacks it into the prefix.
    void unpackPackage()
    {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
        GTEST_SKIP() << "packages are made from plain builds, which the plain suite checks";
#endif
        const testsupport::TemporaryFolder debs;
        const QString debFolder = QString::fromStdString(debs.path());
        std::string out;
        ASSERT_TRUE(run({"cpack", "--config", TIKORA_BUILD_DIR "/CPackConfig.cmake", "-B", debFolder}, out)) << out;
        const QString package = debFolder + u'/' + QDir(debFolder).entryList({"tikora_1.0_*.deb"}).value(0);
        ASSERT_TRUE(run({"dpkg-deb", "--field", package, "Depends"}, out)) << out;
        for (const char* name : {"libqt6widgets6", "libmpg123-0", "mpg123", "fonts-noto-cjk", "qt6-translations-l10n"})
            EXPECT_THAT(out, ::testing::ContainsRegex(std::string("(^| )") + name + "[ ,\n]"));
        EXPECT_TRUE(run({"lintian", "--fail-on", "error", package}, out)) << out;
        ASSERT_TRUE(run({"dpkg-deb", "-x", package, m_root}, out)) << out;
        m_root += QStringLiteral("/usr");
    }

    QString installed(const QString& path) const { return m_root + u'/' + path; }

    const testsupport::TemporaryFolder m_prefix;
    QString m_root = QString::fromStdString(m_prefix.path());
};

INSTANTIATE_TEST_SUITE_P(From, Installed, ::testing::Values("CMakeInstall", "DebianPackage"),
                         [](const auto& info) { return std::string(info.param); });

} // namespace

TEST_P(Installed, DesktopFindsTheProgramItsMenuEntryAndItsIcons)
{
    EXPECT_TRUE(QFile::permissions(installed(QStringLiteral("bin/tikora"))) & QFile::ExeOwner);
    QFile entry(installed(QStringLiteral("share/applications/invalid.tikora.Tikora.desktop")));
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
    EXPECT_TRUE(QFile::exists(installed("share/metainfo/invalid.tikora.Tikora.metainfo.xml")));
}

TEST_P(Installed, AlarmRingsWithTheBuiltInSoundFromAReadOnlyPrefix)
{
    // A mount namespace of its own makes the prefix read-only for the program
    // alone, even for root, who ignores permission bits.
    const QString prefix = m_root;
    const testsupport::TemporaryFolder runtime;
    ProgramRun::Options options;
    options.command = {QStringLiteral("unshare"), QStringLiteral("-rm"), QStringLiteral("sh"), QStringLiteral("-c"),
                       QStringLiteral("mount --bind \"$0\" \"$0\" && mount -o remount,bind,ro \"$0\" && "
                                      "exec \"$0/bin/tikora\""),
                       prefix};
    options.environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime.path()));
    ASSERT_NO_FATAL_FAILURE(startWithAlarm(at(7, 4, 50), {"7", "5"}, options));
    const auto added = Clock::now();
    ASSERT_NE(waitForRinging(), 0UL) << "no ringing window at 07:05";
    EXPECT_TRUE(soundHeardAfter(added, 5s)) << "the built-in sound is not heard";
    EXPECT_FALSE(QFile::exists(installed(QStringLiteral("bin/misc.mp3"))));
}
