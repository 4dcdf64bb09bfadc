#include "corewindow.h"

#include "core/mainwindowunits.h"
#include "host/runtime/runtime.h"
#include "host/runtime/runtime_testing.h"

#include <string>

using namespace host;

namespace {

WindowLayout build()
{
    WindowLayout window{.id = MainWindow::id, .name = "MainWindow", .outerWidth = 380, .outerHeight = 215};
    // Every number up to the list's is taken; the ones the core does not name are plain labels.
    for (int unit = 1; unit <= MainWindow::超级列表框1.unit; ++unit)
        window.units.push_back({.ref = {MainWindow::id, unit},
                                .type = UnitType::Label, .visible = false});
    const auto at = [&window](UnitRef unit) -> UnitLayout& { return window.units[unit.unit - 1]; };
    for (UnitRef timer : {MainWindow::时钟_闹钟1, MainWindow::时钟_闹钟2, MainWindow::时钟_闹钟3, MainWindow::时钟_闹钟4,
                          MainWindow::时钟_闹钟5}) {
        at(timer).type = UnitType::Timer;
        at(timer).interval = 1000;
    }
    // The mirrors start with captions no clock text equals, as on the real window.
    const UnitRef mirrors[] = {MainWindow::标签_闹钟1, MainWindow::标签_闹钟2, MainWindow::标签_闹钟3,
                               MainWindow::标签_闹钟4, MainWindow::标签_闹钟5};
    for (int slot = 1; slot <= 5; ++slot)
        at(mirrors[slot - 1]).text = Text::fromBytes(std::to_string(slot));
    for (UnitRef box : {MainWindow::编辑框1, MainWindow::编辑框2})
        at(box).type = UnitType::EditBox;
    at(MainWindow::超级列表框1).type = UnitType::ListView;
    at(MainWindow::超级列表框1).columns = std::vector<ListColumn>(6, ListColumn{{}, 50});
    return window;
}

} // namespace

void CoreWindow::SetUp()
{
    static const WindowLayout layout = build();
    registerWindow(layout);
    ASSERT_TRUE(loadWindow(MainWindow::id));
}

void CoreWindow::TearDown()
{
    detail::unloadAllWindows();
}
