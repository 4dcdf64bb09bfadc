#include "ui/main/mainwindowhandlers.h"

#include "host/runtime.h"
#include "ui/editor/editorhandlers.h"
#include "ui/editor/editorwindowlayout.h"
#include "ui/main/mainwindowlayout.h"

using namespace host;

namespace MainWindow {
namespace {

// The editor reads its mode from the label when it opens and when it confirms.
void openEditor(const Text& mode)
{
    writeProperty(标签_修改闹钟, prop::caption, Value(mode));
    loadWindow(EditorWindow::id, DialogMode::Dialog);
}

} // namespace

void addAlarmClicked()
{
    openEditor(EditorWindow::addMode());
}

void modifyAlarmChosen()
{
    openEditor(EditorWindow::modifyMode());
}

} // namespace MainWindow
