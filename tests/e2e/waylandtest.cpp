// The program on a Wayland desktop: where the desktop also offers X11
// (XWayland), it runs there, so that its windows can place themselves, shake
// and stay on top; a platform the user chose is kept; with Wayland alone it
// still starts and keeps its clock going.

#include "programfixture.h"
#include "waylandcompositor.h"

#include <QFile>

#include <optional>

namespace {

const QString kTitle = QStringLiteral(" Tikora~闹钟  1.0");

class OnWaylandDesktop : public ProgramTest
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ProgramTest::SetUp());
        ASSERT_NO_FATAL_FAILURE(startCompositor());
    }

    void TearDown() override
    {
        ProgramTest::TearDown();
        m_compositor.reset();
    }

    // Weston failing to come up says nothing about the program.
    void startCompositor()
    {
        m_program.reset();
        m_compositor.emplace();
        if (!m_compositor->isRunning())
            GTEST_SKIP() << "no Wayland compositor for the test: " << m_compositor->failure().toStdString();
    }

    /// Options that start the program in the compositor's session.
    ProgramRun::Options inSession() const
    {
        ProgramRun::Options options;
        options.environment = m_compositor->sessionEnvironment();
        return options;
    }

    /// Starts the program without waiting for a window anywhere.
    void launch(const ProgramRun::Options& options)
    {
        m_program = std::make_unique<ProgramRun>(m_desktop, QString::fromStdString(m_pulse->address()), at(7, 4, 40),
                                                 options);
        ASSERT_TRUE(m_program->isRunning()) << "the program did not start";
    }

    std::optional<WaylandCompositor> m_compositor;
};

} // namespace

TEST_F(OnWaylandDesktop, RunsOnXWaylandWhereItIsThere)
{
    ASSERT_NO_FATAL_FAILURE(startProgram(at(7, 4, 40), inSession()));
    EXPECT_EQ(m_desktop.windowTitle(m_main), kTitle);
    expectMainWindowCentred();
}

TEST_F(OnWaylandDesktop, KeepsThePlatformTheUserChose)
{
    struct Case
    {
        const char* name;
        QString variable;
        QStringList arguments;
    };
    const Case cases[] = {
        {"QT_QPA_PLATFORM=wayland", QStringLiteral("wayland"), {}},
        {"-platform wayland", QString(), {QStringLiteral("-platform"), QStringLiteral("wayland")}},
    };
    for (const Case& choice : cases) {
        SCOPED_TRACE(choice.name);
        ASSERT_NO_FATAL_FAILURE(startCompositor());
        if (IsSkipped())
            return;
        ProgramRun::Options options = inSession();
        if (!choice.variable.isNull())
            options.environment.insert(QStringLiteral("QT_QPA_PLATFORM"), choice.variable);
        options.arguments = choice.arguments;
        ASSERT_NO_FATAL_FAILURE(launch(options));
        EXPECT_TRUE(m_compositor->waitForWindow(kTitle, 1)) << "the main window did not appear on Wayland";
    }
}

TEST_F(OnWaylandDesktop, StartsOnWaylandWithoutXWayland)
{
    ProgramRun::Options options = inSession();
    options.unset = {QStringLiteral("DISPLAY")};
    ASSERT_NO_FATAL_FAILURE(launch(options));
    // Drawn once at the start and again at each of the clock's next two ticks.
    EXPECT_TRUE(m_compositor->waitForWindow(kTitle, 3)) << "the main window was not shown and kept up to date";
    EXPECT_TRUE(m_program->isRunning());
    EXPECT_TRUE(QFile::exists(m_program->folder() + QStringLiteral("/misc.mp3")));
}
