#pragma once

// The alarm editor's handlers. The main window says which mode the editor
// opens in through its label 标签_修改闹钟: "添加" adds a row to the alarm
// table, "修改" edits the selected row; with any other text the editor does
// nothing. Every handler reads the mode and the units afresh.

#include "host/text.h"

#include <cstdint>

namespace EditorWindow {

/// The mode texts the main window writes before opening the editor.
const host::Text& addMode();     // "添加"
const host::Text& modifyMode();  // "修改"

/// What the spinners count from. They belong to the program, not to one
/// opening of the editor: opening it to add sets them from the clock, opening
/// it to modify sets them from the alarm's time, and each spinner press
/// steps them (without bounds) and shows the new value.
inline std::int32_t hourCounter = 0;
inline std::int32_t minuteCounter = 0;

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
