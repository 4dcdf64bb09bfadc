// Developer tool: shows one of the program's windows straight from its layout,
// so it can be looked at (and screenshot) without going through the program.
// Usage: tikora-preview MainWindow|SettingsWindow

#include "host/runtime/runtime.h"
#include "ui/main/mainwindowlayout.h"
#include "ui/main/settingswindowlayout.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    host::initialise();
    const host::WindowLayout* layouts[] = {&MainWindow::layout(), &SettingsWindow::layout()};
    const char* wanted = argc > 1 ? argv[1] : "MainWindow";
    for (const host::WindowLayout* layout : layouts) {
        host::registerWindow(*layout);
        if (layout->name == wanted) {
            host::loadWindow(layout->id);
            host::runMessageLoop();
            return 0;
        }
    }
    std::fprintf(stderr, "unknown window: %s\n", wanted);
    return 2;
}
