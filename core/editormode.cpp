#include "core/editormode.h"

#include "core/mainwindowunits.h"
#include "host/runtime/runtime.h"

using namespace host;

namespace AlarmEditor {
namespace {

constinit const FixedText kAdd = "添加"_t;
constinit const FixedText kModify = "修改"_t;

} // namespace

void setMode(Mode mode)
{
    const Text label = mode == Mode::Add ? kAdd.text() : mode == Mode::Modify ? kModify.text() : Text();
    writeProperty(MainWindow::标签_修改闹钟, prop::caption, Value(label));
}

Mode mode()
{
    const Text label = readProperty(MainWindow::标签_修改闹钟, prop::caption).toText();
    if (label == kAdd)
        return Mode::Add;
    if (label == kModify)
        return Mode::Modify;
    return Mode::None;
}

} // namespace AlarmEditor
