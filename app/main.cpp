// Tikora 闹钟: starts the host, loads the main window and runs until the
// last window is gone.

#include "core/ringwindowlayout.h"
#include "host/commands.h"
#include "host/runtime.h"
#include "host/sound/soundservice.h"
#include "ui/editor/editorwindowlayout.h"
#include "ui/main/mainwindowlayout.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    host::initialise();
    host::enterRunDirectory();
    host::registerWindow(MainWindow::layout());
    host::registerWindow(RingWindow::layout());
    host::registerWindow(EditorWindow::layout());
    host::registerWindow(SettingsWindow::layout());
    host::loadStartWindow(MainWindow::id);
    host::runMessageLoop();
    host::stopAllSound();
    return 0;
}
