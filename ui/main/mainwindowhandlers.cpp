#include "ui/main/mainwindowhandlers.h"

#include "core/alarmtable.h"
#include "core/defaultsound.h"
#include "core/duecheck.h"
#include "core/editormode.h"
#include "host/commands.h"
#include "host/runtime/runtime.h"
#include "host/runtime/unitvalues.h"
#include "ui/main/mainwindowlayout.h"

using namespace host;
using AlarmTable::AlarmColumn;

namespace MainWindow {
namespace {

constexpr int kClockMs = 1000;

constinit const FixedText kDisableCaption = "关闭闹钟"_t;
constinit const FixedText kEnableCaption = "开启闹钟"_t;
constinit const FixedText kDeleteQuestion = "将会删除此闹钟。"_t;
constinit const FixedText kDeleteTitle = "删除闹钟"_t;

Text toggleCaption()
{
    return readProperty(菜单_启动停止闹钟, menuProp::caption).toText();
}

void showNumber(UnitRef box, int number)
{
    setText(box, toText(Value(number)));
}

} // namespace

void mainWindowCreated()
{
    // A new window's slot timers start watching; nothing of an earlier one's rings is kept.
    AlarmTable::forgetRings();
    writeProperty(时钟1, prop::interval, Value(kClockMs));
    DefaultSound::write();
}

void clockTick()
{
    const DateTime shown = now();
    showNumber(编辑框1, hourOf(shown));
    showNumber(编辑框2, minuteOf(now()));
    showNumber(编辑框3, secondOf(now()));
    clockShown(shown);
}

void settingsClicked()
{
    loadWindow(SettingsWindow::id, DialogMode::Dialog);
}

void listRightClicked()
{
    // With no row selected neither test matches and the item keeps its caption.
    if (AlarmTable::cell(AlarmTable::selectedRow(), AlarmColumn::Enabled) == AlarmTable::cellText::enabled)
        writeProperty(菜单_启动停止闹钟, menuProp::caption, Value(kDisableCaption.text()));
    if (AlarmTable::cell(AlarmTable::selectedRow(), AlarmColumn::Enabled) == AlarmTable::cellText::disabled)
        writeProperty(菜单_启动停止闹钟, menuProp::caption, Value(kEnableCaption.text()));
    popupMenu(id, 菜单);
}

void toggleAlarmChosen()
{
    if (toggleCaption() == kDisableCaption)
        AlarmTable::setCell(AlarmTable::selectedRow(), AlarmColumn::Enabled, AlarmTable::cellText::disabled);
    if (toggleCaption() == kEnableCaption)
        AlarmTable::setCell(AlarmTable::selectedRow(), AlarmColumn::Enabled, AlarmTable::cellText::enabled);
}

void deleteAlarmChosen()
{
    if (messageBox(Value(kDeleteQuestion.text()), boxButtons::okCancel, kDeleteTitle.text()) != boxAnswer::ok)
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

// The editor reads its mode when it opens and when it confirms.
void openEditor(AlarmEditor::Mode mode)
{
    AlarmEditor::setMode(mode);
    loadWindow(EditorWindow::id, DialogMode::Dialog);
}

} // namespace

void addAlarmClicked()
{
    openEditor(AlarmEditor::Mode::Add);
}

void modifyAlarmChosen()
{
    openEditor(AlarmEditor::Mode::Modify);
}

} // namespace MainWindow
