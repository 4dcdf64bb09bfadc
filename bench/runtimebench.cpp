// Prints what the window runtime's busiest calls cost: the ringing window
// writes alwaysOnTop every millisecond, and handlers read captions and cells
// several times a second. Runs on the offscreen platform.

#include "host/runtime/runtime.h"
#include "ui/main/mainwindowlayout.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

void measure(const char* name, int calls, const std::function<void()>& call)
{
    QElapsedTimer clock;
    clock.start();
    for (int index = 0; index < calls; ++index)
        call();
    std::printf("%-40s %8.0f ns per call\n", name, double(clock.nsecsElapsed()) / calls);
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    host::initialise();
    host::registerWindow(MainWindow::layout());
    host::loadWindow(MainWindow::id);
    host::writeProperty(MainWindow::window, host::prop::alwaysOnTop, true);
    host::listInsertRow(MainWindow::超级列表框1, -1, host::Text::fromUtf8("7:5"));
    host::listSetCell(MainWindow::超级列表框1, 0, 1, host::Text::fromUtf8("开启"));

    measure("alwaysOnTop := true (already on top)", 1000000,
            [] { host::writeProperty(MainWindow::window, host::prop::alwaysOnTop, true); });
    measure("read label caption", 200000, [] { host::readProperty(MainWindow::标签_闹钟1, host::prop::caption); });
    measure("write edit box content", 200000,
            [] { host::writeProperty(MainWindow::编辑框3, host::prop::content, host::Text::fromUtf8("59")); });
    measure("listGetCell (Chinese text)", 200000, [] { host::listGetCell(MainWindow::超级列表框1, 0, 1); });
    measure("timer interval := same value", 1000000,
            [] { host::writeProperty(MainWindow::时钟_闹钟1, host::prop::interval, 1000); });
    return 0;
}
