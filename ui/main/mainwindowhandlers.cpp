#include "ui/main/mainwindowhandlers.h"

#include "core/alarmtable.h"
#include "core/defaultsound.h"
#include "host/commands.h"
#include "host/runtime.h"
#include "ui/editor/editorhandlers.h"
#include "ui/editor/editorwindowlayout.h"
#include "ui/main/mainwindowlayout.h"

using namespace host;
using AlarmTable::AlarmColumn;

namespace MainWindow {
namespace {

constexpr int kClockMs = 1000;

const Text& disableCaption()
{
    static const Text text = "关闭闹钟"_t;
    return text;
}

const Text& enableCaption()
{
    static const Text text = "开启闹钟"_t;
    return text;
}

Text toggleCaption()
{
    return readProperty(菜单_启动停止闹钟, menuProp::caption).toText();
}

void showNumber(UnitRef box, int number)
{
    writeProperty(box, prop::content, Value(toText(Value(number))));
}

} // namespace

void mainWindowCreated()
{
    writeProperty(时钟1, prop::interval, Value(kClockMs));
    DefaultSound::write();
}

void clockTick()
{
    showNumber(编辑框1, hourOf(now()));
    showNumber(编辑框2, minuteOf(now()));
    showNumber(编辑框3, secondOf(now()));
}

void settingsClicked()
{
    loadWindow(SettingsWindow::id, DialogMode::Dialog);
}

void listRightClicked()
{
    // With no row selected neither test matches and the item keeps its caption.
    if (AlarmTable::cell(AlarmTable::selectedRow(), AlarmColumn::Enabled) == AlarmTable::cellText::enabled())
        writeProperty(菜单_启动停止闹钟, menuProp::caption, Value(disableCaption()));
    if (AlarmTable::cell(AlarmTable::selectedRow(), AlarmColumn::Enabled) == AlarmTable::cellText::disabled())
        writeProperty(菜单_启动停止闹钟, menuProp::caption, Value(enableCaption()));
    popupMenu(id, 菜单);
}

void toggleAlarmChosen()
{
    if (toggleCaption() == disableCaption())
        AlarmTable::setCell(AlarmTable::selectedRow(), AlarmColumn::Enabled, AlarmTable::cellText::disabled());
    if (toggleCaption() == enableCaption())
        AlarmTable::setCell(AlarmTable::selectedRow(), AlarmColumn::Enabled, AlarmTable::cellText::enabled());
}

void deleteAlarmChosen()
{
    static const Text question = "将会删除此闹钟。"_t;
    static const Text title = "删除闹钟"_t;
    if (messageBox(Value(question), boxButtons::okCancel, title) != boxAnswer::ok)
        return;
    // Later alarms move up a slot and keep their ring times and whether they
    // have rung: none rings at the deleted one's time, none is skipped.
    AlarmTable::remove(AlarmTable::selectedRow());
}

void mainWindowClosing()
{
    DefaultSound::remove();
}

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
