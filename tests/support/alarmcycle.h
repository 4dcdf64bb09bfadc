#pragma once

// One alarm's whole life through the windows, as a user lives it: 添加闹钟
// and 完成; the list's menu, 修改闹钟设置, the shake box and 完成; the list's
// menu, 删除闹钟 and 确定. The real handlers run in the nested loops the
// commands wait in. Shared by the long-run test and its benchmark.

#include <string>

namespace alarmcycle {

/// Registers the program's windows and loads the main window, as the
/// program starts (for a process of its own, like the benchmark).
bool loadWindows();

/// One add/modify/delete round on a loaded main window whose list is empty.
/// What went wrong, or an empty text when the alarm came and went.
std::string run();

} // namespace alarmcycle
