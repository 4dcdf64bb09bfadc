#pragma once

// The alarm editor's handlers. The main window says which mode the editor
// opens in (core/editormode.h): adding a row to the alarm table or editing
// the selected row; in neither mode the editor does nothing. Every handler
// reads the mode and the units afresh.

namespace EditorWindow {

/// The window was created: fills the units for the mode.
void editorCreated();
/// Hour spinner: +1 for the up arrow, -1 for the down arrow.
void hourSpun(int step);
/// Minute spinner: +1 for the up arrow, -1 for the down arrow.
void minuteSpun(int step);
/// 单次 clicked: no weekday.
void onceChosen();
/// 每天 clicked: every weekday.
void everyDayChosen();
/// 工作日 clicked: Monday to Friday.
void workingDaysChosen();
/// 自定音乐 clicked: the music frame takes input exactly while it is checked.
void customMusicClicked();
/// 打开 clicked: picks a music file for the path box.
void browseClicked();
/// 完成 clicked: writes the alarm and closes the editor.
void confirmClicked();
/// 取消 clicked: closes the editor, writing nothing.
void cancelClicked();
/// Each second: the weekday boxes follow the repeat choice unless it is 自定.
void weekdaySyncTick();

} // namespace EditorWindow
