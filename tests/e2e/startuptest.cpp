// The real program on a private X desktop: it starts with its main window,
// is known to the desktop by its class, and ends when that window is closed.

#include "desktopsession.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#ifndef TIKORA_BINARY
#error "TIKORA_BINARY must name the program under test"
#endif

namespace {

class ProgramOnDesktop : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!m_desktop.isRunning())
            GTEST_FAIL() << "the private X desktop did not start: " << m_desktop.failure().toStdString();
        m_program = m_desktop.start(QStringLiteral(TIKORA_BINARY));
        m_window = m_desktop.waitForWindow(QStringLiteral("Tikora~闹钟"));
        ASSERT_NE(m_window, 0UL) << "the main window did not appear";
    }

    DesktopSession m_desktop;
    QProcess* m_program = nullptr;
    unsigned long m_window = 0;
};

} // namespace

TEST_F(ProgramOnDesktop, MainWindowHasItsTitleClassAndSize)
{
    EXPECT_EQ(m_desktop.windowTitle(m_window), QStringLiteral(" Tikora~闹钟  1.0"));
    EXPECT_EQ(m_desktop.windowClass(m_window), (QStringList{QStringLiteral("Tikora闹钟"), QStringLiteral("Tikora闹钟")}));

    const QString geometry = m_desktop.run(QStringLiteral("xdotool"),
                                           {QStringLiteral("getwindowgeometry"), QString::number(m_window)});
    EXPECT_TRUE(geometry.contains(QStringLiteral("Geometry: 374x183"))) << geometry.toStdString();
    // Centred on the 1280×800 screen by its outer size: (1280 − 380) / 2, (800 − 215) / 2.
    static const QRegularExpression position(QStringLiteral("Position: (\\d+),(\\d+)"));
    const auto match = position.match(geometry);
    ASSERT_TRUE(match.hasMatch()) << geometry.toStdString();
    EXPECT_NEAR(match.captured(1).toInt(), 450 + 3, 8);
    EXPECT_NEAR(match.captured(2).toInt(), 292 + 29, 30);
}

TEST_F(ProgramOnDesktop, ClosingTheMainWindowEndsTheProgram)
{
    m_desktop.closeWindow(m_window);
    ASSERT_TRUE(m_program->waitForFinished(10000));
    EXPECT_EQ(m_program->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_program->exitCode(), 0);
}
