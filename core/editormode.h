#pragma once

// Which way the main window opens the editor: to add an alarm or to modify
// the selected one. It is said through the main window's hidden label
// 标签_修改闹钟 ("添加" or "修改"), which the editor reads afresh each time
// it needs it; any other text there means neither.

namespace AlarmEditor {

enum class Mode { Add, Modify, None };

/// Says how the editor is to open next (None writes no mode text).
void setMode(Mode mode);
/// How the editor was opened.
Mode mode();

} // namespace AlarmEditor
