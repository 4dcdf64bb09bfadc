// Windows' lives under dialog mode: which windows are enabled while dialogs
// open and close in any order, what the user may close, and loading a window
// again while it is being destroyed.

#include "host/commands/dialogs.h"
#include "host/runtime/runtime.h"
#include "probewindows.h"
#include "testwindows.h"
#include "unitdriver.h"

#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

using namespace host;
using namespace testwindows;
using testsupport::waitUntil;

namespace {

constexpr WindowId kMain = Other::id;
constexpr WindowId kFirst = Probe::id;
constexpr WindowId kSecond = Plain::id;

bool enabled(WindowId window)
{
    return drive::widgetOf(UnitRef{window, 0})->isEnabled();
}

// The top-level widgets of the first dialog: those shown, or all that still exist.
int firstWidgets(bool shownOnly = false)
{
    if (!shownOnly)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QWidgetList widgets = QApplication::topLevelWidgets();
    return static_cast<int>(std::count_if(widgets.begin(), widgets.end(), [shownOnly](QWidget* widget) {
        return widget->objectName() == "Probe" && (!shownOnly || widget->isVisible());
    }));
}

class WindowLife : public ProbeWindows
{
protected:
    void SetUp() override
    {
        ProbeWindows::SetUp();
        ASSERT_TRUE(loadWindow(kMain));
    }
};

} // namespace

TEST_F(WindowLife, DialogModeWaitsWhileOtherTimersTick)
{
    bool returned = false;
    int ticksWhileOpen = -1;
    bool otherDisabledWhileOpen = false;
    // Looks in from the dialog's own wait every 20 ms until the other
    // window's timer has ticked a few times (or five seconds have passed).
    int looks = 0;
    std::function<void()> look = [&] {
        if (g_probe.otherTicks <= 3 && ++looks < 250) {
            later(20, look);
            return;
        }
        EXPECT_FALSE(returned);
        ticksWhileOpen = g_probe.otherTicks;
        otherDisabledWhileOpen = !drive::widgetOf(Other::window)->isEnabled();
        closeWindow(Probe::id);
    };
    later(20, look);
    g_probe.otherTicks = 0;
    EXPECT_TRUE(loadWindow(Probe::id, DialogMode::Dialog));
    returned = true;
    EXPECT_FALSE(isLoaded(Probe::id));
    EXPECT_GT(ticksWhileOpen, 3);
    EXPECT_TRUE(otherDisabledWhileOpen);
    EXPECT_TRUE(drive::widgetOf(Other::window)->isEnabled());
}

TEST_F(WindowLife, ParentThatIsNotLoadedFailsTheLoad)
{
    EXPECT_FALSE(loadWindow(kFirst, DialogMode::Modeless, kSecond));
    EXPECT_FALSE(isLoaded(kFirst));
    EXPECT_FALSE(loadWindow(WindowId{999}));
}

TEST_F(WindowLife, DialogsMayCloseInAnyOrder)
{
    bool mainWhileSecondOpen = true;
    bool firstWhileSecondOpen = true;
    later(50, [] { loadWindow(kSecond, DialogMode::Dialog); });
    later(150, [] { closeWindow(kFirst); });  // the earlier dialog goes first
    later(300, [&] {
        mainWhileSecondOpen = enabled(kMain);
        closeWindow(kSecond);
    });
    loadWindow(kFirst, DialogMode::Dialog);
    EXPECT_FALSE(mainWhileSecondOpen);
    EXPECT_TRUE(enabled(kMain));

    // The later dialog closing first re-enables the earlier one, not the main window.
    later(50, [] { loadWindow(kSecond, DialogMode::Dialog); });
    later(150, [&] {
        firstWhileSecondOpen = enabled(kFirst);
        closeWindow(kSecond);
    });
    later(300, [&] {
        mainWhileSecondOpen = enabled(kMain) || !enabled(kFirst);
        closeWindow(kFirst);
    });
    loadWindow(kFirst, DialogMode::Dialog);
    EXPECT_FALSE(firstWhileSecondOpen);
    EXPECT_FALSE(mainWhileSecondOpen);
    EXPECT_TRUE(enabled(kMain));
}

TEST_F(WindowLife, ClosingADialogEnablesTheOthersBeforeItsDestroyingEvent)
{
    bool mainEnabledWhileDestroying = false;
    g_probe.onDestroy = [&] { mainEnabledWhileDestroying = enabled(kMain); };
    later(50, [] { closeWindow(kFirst); });
    loadWindow(kFirst, DialogMode::Dialog);
    EXPECT_TRUE(mainEnabledWhileDestroying);
}

TEST_F(WindowLife, AWindowADialogDisabledRefusesTheUsersCloseButNotTheProgramsOne)
{
    bool mainStayed = false;
    later(50, [&] {
        drive::pressCloseBox(kMain);
        mainStayed = isLoaded(kMain);
        closeWindow(kMain, CloseMode::Immediate);
        closeWindow(kFirst);
    });
    loadWindow(kFirst, DialogMode::Dialog);
    EXPECT_TRUE(mainStayed);
    EXPECT_FALSE(isLoaded(kMain));
}

TEST_F(WindowLife, AWindowClosedUnderItsOpenFileDialogEndsTheDialogAsCancelled)
{
    ASSERT_TRUE(loadWindow(kFirst));
    later(200, [] { closeWindow(kFirst); });
    EXPECT_FALSE(openDialog(Probe::dialog));
    EXPECT_FALSE(isLoaded(kFirst));
    EXPECT_EQ(firstWidgets(), 0);
}

// Loading the first dialog again from its own destroying event: the old instance and
// its nested loop end, one fresh window works and closes cleanly.
struct Reload
{
    DialogMode original;
    DialogMode again;
    CloseMode close;
};

class ReloadWhileDestroying : public WindowLife, public ::testing::WithParamInterface<Reload>
{
};

TEST_P(ReloadWhileDestroying, GivesOneFreshWorkingWindow)
{
    const Reload reload = GetParam();
    int widgetsWhileReloaded = -1;
    Text captionWhileReloaded;
    auto checkAndClose = [&] {
        widgetsWhileReloaded = firstWidgets(true);
        writeProperty(Probe::label, prop::caption, "新的"_t);
        captionWhileReloaded = readProperty(Probe::label, prop::caption).toText();
        closeWindow(kFirst, reload.close);
    };
    g_probe.onDestroy = [&] {
        if (g_probe.created > 1)
            return;
        if (reload.again == DialogMode::Dialog || reload.close == CloseMode::Deferred)
            later(100, checkAndClose);
        loadWindow(kFirst, reload.again);
        if (reload.again == DialogMode::Modeless && reload.close == CloseMode::Immediate)
            checkAndClose();
    };
    if (reload.original == DialogMode::Dialog)
        later(50, [] { closeWindow(kFirst); });
    ASSERT_TRUE(loadWindow(kFirst, reload.original));
    if (reload.original == DialogMode::Modeless)
        closeWindow(kFirst);

    ASSERT_TRUE(waitUntil([] { return g_probe.destroyed == 2; }));
    EXPECT_EQ(g_probe.created, 2);
    EXPECT_EQ(widgetsWhileReloaded, 1);
    EXPECT_EQ(captionWhileReloaded, "新的"_t);
    EXPECT_FALSE(isLoaded(kFirst));
    EXPECT_EQ(firstWidgets(), 0);
    EXPECT_TRUE(enabled(kMain));
}

INSTANTIATE_TEST_SUITE_P(
    EitherMode, ReloadWhileDestroying,
    ::testing::Values(Reload{DialogMode::Modeless, DialogMode::Modeless, CloseMode::Immediate},
                      Reload{DialogMode::Modeless, DialogMode::Modeless, CloseMode::Deferred},
                      Reload{DialogMode::Dialog, DialogMode::Modeless, CloseMode::Immediate},
                      Reload{DialogMode::Dialog, DialogMode::Modeless, CloseMode::Deferred},
                      Reload{DialogMode::Modeless, DialogMode::Dialog, CloseMode::Immediate},
                      Reload{DialogMode::Dialog, DialogMode::Dialog, CloseMode::Deferred}));
