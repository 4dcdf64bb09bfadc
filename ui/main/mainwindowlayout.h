#pragma once

// The main window: the clock face, the alarm list, the add and settings
// buttons, the footer, and the hidden machinery other windows share (slot
// timers, the list's popup menu, and labels used as named text slots).

#include "host/layout.h"

namespace MainWindow {

inline constexpr host::WindowId id{1};
inline constexpr host::UnitRef window{id, 0};

inline constexpr host::UnitRef 标签_修改闹钟{id, 1};  // the editor's mode: "添加" or "修改"
inline constexpr host::UnitRef 标签5{id, 2};
inline constexpr host::UnitRef 标签4{id, 3};
inline constexpr host::UnitRef 标签_响铃{id, 4};  // the slot name of the ringing alarm
inline constexpr host::UnitRef 菜单{id, 5};
inline constexpr host::UnitRef 菜单_启动停止闹钟{id, 6};
inline constexpr host::UnitRef 菜单_分隔1{id, 7};
inline constexpr host::UnitRef 菜单_修改闹钟设置{id, 8};
inline constexpr host::UnitRef 菜单_分隔2{id, 9};
inline constexpr host::UnitRef 菜单_删除闹钟{id, 10};
inline constexpr host::UnitRef 时钟_闹钟5{id, 11};
inline constexpr host::UnitRef 时钟_闹钟4{id, 12};
inline constexpr host::UnitRef 时钟_闹钟3{id, 13};
inline constexpr host::UnitRef 时钟_闹钟2{id, 14};
inline constexpr host::UnitRef 标签_闹钟5{id, 15};  // ring-time mirrors of slots 5 … 1
inline constexpr host::UnitRef 标签_闹钟4{id, 16};
inline constexpr host::UnitRef 标签_闹钟3{id, 17};
inline constexpr host::UnitRef 标签_闹钟2{id, 18};
inline constexpr host::UnitRef 标签_闹钟1{id, 19};
inline constexpr host::UnitRef 时钟_闹钟1{id, 20};
inline constexpr host::UnitRef 按钮_设置{id, 21};
inline constexpr host::UnitRef 按钮_添加{id, 22};
inline constexpr host::UnitRef 编辑框3{id, 23};  // seconds
inline constexpr host::UnitRef 编辑框2{id, 24};  // minutes
inline constexpr host::UnitRef 编辑框1{id, 25};  // hours
inline constexpr host::UnitRef 超级列表框1{id, 26};  // the alarm list
inline constexpr host::UnitRef 标签3{id, 27};
inline constexpr host::UnitRef 时钟1{id, 28};  // the clock display's timer
inline constexpr host::UnitRef 标签2{id, 29};
inline constexpr host::UnitRef 标签1{id, 30};

/// The window's layout, built once.
const host::WindowLayout& layout();

} // namespace MainWindow

namespace SettingsWindow {

inline constexpr host::WindowId id{4};
inline constexpr host::UnitRef window{id, 0};

inline constexpr host::UnitRef 标签3{id, 1};
inline constexpr host::UnitRef 标签2{id, 2};
inline constexpr host::UnitRef 标签1{id, 3};
inline constexpr host::UnitRef 组合框1{id, 4};
inline constexpr host::UnitRef 分组框1{id, 5};

/// The window's layout, built once. The window only displays; it has no handlers.
const host::WindowLayout& layout();

} // namespace SettingsWindow
