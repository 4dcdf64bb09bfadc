#pragma once

// What the main window does: it runs the clock display, puts the default
// sound on disk for as long as it is open, opens the settings window, and
// enables, disables and deletes alarms from the list's popup menu.

/// The window was created: starts the clock and writes the default sound file.
void mainWindowCreated();
/// Every second: hour, minute and second of now, without leading zeros.
void clockTick();
/// "设置": the settings window, in dialog mode.
void settingsClicked();
/// A right click on the list: the first item says what it would do to the
/// selected alarm, then the menu pops up at the pointer.
void listRightClicked();
/// "关闭闹钟" / "开启闹钟" chosen: the selected alarm is disabled or enabled.
void toggleAlarmChosen();
/// "删除闹钟" chosen: after the user confirms, the selected alarm goes and
/// the mirrors follow the rows that remain.
void deleteAlarmChosen();
/// The window is being destroyed: the default sound file goes with it.
void mainWindowClosing();

// The commands that open the editor.
namespace MainWindow {

/// 添加闹钟 clicked: opens the editor to add an alarm and waits until it closes.
void addAlarmClicked();
/// 修改闹钟设置 chosen: opens the editor on the selected alarm and waits until it closes.
void modifyAlarmChosen();

} // namespace MainWindow
