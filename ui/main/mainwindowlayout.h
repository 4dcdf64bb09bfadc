#pragma once

// The main window: the clock face, the alarm list, the add and settings
// buttons, the footer, and the hidden machinery other windows share (slot
// timers, the list's popup menu, and labels used as named text slots).
// The units the alarm core uses are named in core/windows.h; the rest here.

#include "core/windows.h"

namespace MainWindow {

inline constexpr host::UnitRef 标签5{id, 2};
inline constexpr host::UnitRef 标签4{id, 3};
inline constexpr host::UnitRef 菜单{id, 5};
inline constexpr host::UnitRef 菜单_启动停止闹钟{id, 6};
inline constexpr host::UnitRef 菜单_分隔1{id, 7};
inline constexpr host::UnitRef 菜单_修改闹钟设置{id, 8};
inline constexpr host::UnitRef 菜单_分隔2{id, 9};
inline constexpr host::UnitRef 菜单_删除闹钟{id, 10};
inline constexpr host::UnitRef 按钮_设置{id, 21};
inline constexpr host::UnitRef 按钮_添加{id, 22};
inline constexpr host::UnitRef 编辑框3{id, 23};  // seconds
inline constexpr host::UnitRef 标签3{id, 27};
inline constexpr host::UnitRef 时钟1{id, 28};  // the clock display's timer
inline constexpr host::UnitRef 标签2{id, 29};
inline constexpr host::UnitRef 标签1{id, 30};

/// The window's layout, built once.
const host::WindowLayout& layout();

} // namespace MainWindow
