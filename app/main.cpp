// Tikora 闹钟: starts the host, loads the main window and runs until the
// last window is gone.

#include "core/defaultsound.h"
#include "host/commands.h"
#include "host/runtime/runtime.h"
#include "host/sound/soundservice.h"
#include "ui/editor/editorwindowlayout.h"
#include "ui/main/mainwindowlayout.h"
#include "ui/main/settingswindowlayout.h"
#include "ui/ring/ringwindowlayout.h"

#include <QApplication>

#include <malloc.h>

#include <cstdlib>

namespace {

// Window positions, the ringing window's shake and always-on-top need X11:
// a Wayland compositor ignores where a window asks to be. On a Wayland
// desktop that also offers XWayland the program therefore runs there, unless
// the user has chosen a platform: QT_QPA_PLATFORM is left alone, and Qt lets
// a -platform argument win over the variable. Without XWayland it starts on
// Wayland all the same.
void preferXWayland()
{
    const auto set = [](const char* name) { return std::getenv(name) && *std::getenv(name); };
    if (set("WAYLAND_DISPLAY") && set("DISPLAY") && !set("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "xcb", 1);
}

} // namespace

using host::operator""_t;

int main(int argc, char** argv)
{
    // One heap for all threads: the toolkit's and the sound's threads
    // allocate little, and each would otherwise get a heap arena of its own.
    mallopt(M_ARENA_MAX, 1);
    preferXWayland();
    QApplication application(argc, argv);
    host::initialise("Tikora闹钟"_t);
    host::enterRunDirectory();
    DefaultSound::removeOnTermination();
    host::registerWindow(MainWindow::layout());
    host::registerWindow(RingWindow::layout());
    host::registerWindow(EditorWindow::layout());
    host::registerWindow(SettingsWindow::layout());
    host::loadStartWindow(MainWindow::id);
    host::runMessageLoop();
    host::stopAllSound();
    return 0;
}
