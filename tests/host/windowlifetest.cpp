// Windows' lives under dialog mode: which windows are enabled while dialogs
// open and close in any order, what the user may close, and loading a window
// again while it is being destroyed.

#include "host/commands/dialogs.h"
#include "host/runtime.h"
#include "testwindows.h"
#include "unitdriver.h"

#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

using namespace host;
using testwindows::later;
using testwindows::waitUntil;

namespace {

constexpr WindowId kMain{201};
constexpr WindowId kFirst{202};
constexpr WindowId kSecond{203};
constexpr UnitRef kFirstLabel{kFirst, 1};
constexpr UnitRef kFirstPicker{kFirst, 2};

struct Life
{
    int created = 0;
    int destroyed = 0;
    std::function<void()> onFirstDestroyed;
} g_life;

WindowLayout makeWindow(WindowId id, const char* name)
{
    return WindowLayout{.id = id, .name = name, .caption = Text::fromUtf8(name), .outerWidth = 200, .outerHeight = 120};
}

const WindowLayout& firstLayout()
{
    static const WindowLayout layout = [] {
        WindowLayout window = makeWindow(kFirst, "First");
        window.events = {{event::created, [](int) { ++g_life.created; }},
                         {event::destroying, [](int) {
                              ++g_life.destroyed;
                              if (g_life.onFirstDestroyed)
                                  g_life.onFirstDestroyed();
                          }}};
        window.units = {{.ref = kFirstLabel, .name = "label", .type = UnitType::Label, .rect = {5, 5, 80, 16},
                         .text = "原样"_t},
                        {.ref = kFirstPicker, .name = "picker", .type = UnitType::CommonDlg, .title = "打开"_t}};
        return window;
    }();
    return layout;
}

bool enabled(WindowId window)
{
    return drive::widgetOf(UnitRef{window, 0})->isEnabled();
}

// The top-level widgets of window "First": those shown, or all that still exist.
int firstWidgets(bool shownOnly = false)
{
    if (!shownOnly)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QWidgetList widgets = QApplication::topLevelWidgets();
    return static_cast<int>(std::count_if(widgets.begin(), widgets.end(), [shownOnly](QWidget* widget) {
        return widget->objectName() == "First" && (!shownOnly || widget->isVisible());
    }));
}

class WindowLife : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_life = {};
        static const WindowLayout main = makeWindow(kMain, "Main");
        static const WindowLayout second = makeWindow(kSecond, "Second");
        registerWindow(main);
        registerWindow(firstLayout());
        registerWindow(second);
        ASSERT_TRUE(loadWindow(kMain));
    }
    void TearDown() override { detail::unloadAllWindows(); }
};

} // namespace

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
    g_life.onFirstDestroyed = [&] { mainEnabledWhileDestroying = enabled(kMain); };
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
    EXPECT_FALSE(openDialog(kFirstPicker));
    EXPECT_FALSE(isLoaded(kFirst));
    EXPECT_EQ(firstWidgets(), 0);
}

// Loading "First" again from its own destroying event: the old instance and
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
        writeProperty(kFirstLabel, prop::caption, "新的"_t);
        captionWhileReloaded = readProperty(kFirstLabel, prop::caption).toText();
        closeWindow(kFirst, reload.close);
    };
    g_life.onFirstDestroyed = [&] {
        if (g_life.created > 1)
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

    ASSERT_TRUE(waitUntil([] { return g_life.destroyed == 2; }));
    EXPECT_EQ(g_life.created, 2);
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
