#include "programwindows.h"

#include "host/commands.h"
#include "host/runtime/runtime.h"
#include "host/runtime/runtime_testing.h"
#include "ui/editor/editorwindowlayout.h"
#include "ui/main/mainwindowlayout.h"
#include "ui/main/settingswindowlayout.h"
#include "ui/ring/ringwindowlayout.h"

using namespace host;

void registerProgramWindows()
{
    registerWindow(MainWindow::layout());
    registerWindow(EditorWindow::layout());
    registerWindow(RingWindow::layout());
    registerWindow(SettingsWindow::layout());
}

void ProgramWindows::SetUp()
{
    registerProgramWindows();
    setTime(12, 0);
    ASSERT_TRUE(loadWindow(MainWindow::id));
}

void ProgramWindows::TearDown()
{
    detail::unloadAllWindows();
    setClock({});
}

void ProgramWindows::setTime(int hour, int minute, int second)
{
    const DateTime moment = dateTimeOf(2026, 12, 8, hour, minute, second);
    setClock([moment] { return moment; });
}
