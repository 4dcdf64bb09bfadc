#pragma once

// The main window's handlers.

namespace MainWindow {

/// 添加闹钟 clicked: opens the editor to add an alarm and waits until it closes.
void addAlarmClicked();
/// 修改闹钟设置 chosen: opens the editor on the selected alarm and waits until it closes.
void modifyAlarmChosen();

} // namespace MainWindow
