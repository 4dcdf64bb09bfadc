// A small program of two windows for the desktop tests: a main window that,
// a moment after it appears, loads a second window in dialog mode. It ends
// when its last window is gone.

#include "host/runtime/runtime.h"

#include <QApplication>

using namespace host;

namespace {

constexpr WindowId kMain{1};
constexpr WindowId kDialog{2};
constexpr UnitRef kOpener{kMain, 1, "opener"};

const WindowLayout& mainLayout()
{
    static const WindowLayout layout{
        .id = kMain, .name = "Main", .caption = "探针主窗口"_t, .outerWidth = 300, .outerHeight = 200,
        .left = 40, .top = 40, .centred = false,
        .units = {{.ref = kOpener, .type = UnitType::Timer, .interval = 300,
                   .events = {{event::tick, [](int) {
                       writeProperty(kOpener, prop::interval, 0);
                       loadWindow(kDialog, DialogMode::Dialog);
                   }}}}}};
    return layout;
}

const WindowLayout& dialogLayout()
{
    static const WindowLayout layout{.id = kDialog, .name = "Dialog", .caption = "探针对话"_t, .outerWidth = 200,
                                     .outerHeight = 120, .left = 400, .top = 300, .centred = false};
    return layout;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    initialise("探针"_t);
    registerWindow(mainLayout());
    registerWindow(dialogLayout());
    loadStartWindow(kMain);
    runMessageLoop();
    return 0;
}
