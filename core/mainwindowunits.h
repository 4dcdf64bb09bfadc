#pragma once

// The main window's units, in the order of its layout: the one place their
// numbers are written. A unit's number is its place in that order (the
// window itself is 0); each is declared with its layout name.
//
// The alarm core uses the hidden labels and timers that carry what the
// windows share (the editor's mode, the ringing slot, the slot timers and
// ring-time mirrors of the due check), the clock display's hour and minute
// and the alarm list; the rest are the main window's own.

#include "core/windows.h"

namespace MainWindow {

inline constexpr host::UnitRef window{id, 0};

inline constexpr host::UnitRef 标签_修改闹钟{id, 1, "标签_修改闹钟"};  // the editor's mode: "添加" or "修改"
inline constexpr host::UnitRef 标签5{id, 2, "标签5"};
inline constexpr host::UnitRef 标签4{id, 3, "标签4"};
inline constexpr host::UnitRef 标签_响铃{id, 4, "标签_响铃"};  // the slot name of the ringing alarm
inline constexpr host::UnitRef 菜单{id, 5, "菜单"};
inline constexpr host::UnitRef 菜单_启动停止闹钟{id, 6, "菜单_启动停止闹钟"};
inline constexpr host::UnitRef 菜单_分隔1{id, 7, "菜单_分隔1"};
inline constexpr host::UnitRef 菜单_修改闹钟设置{id, 8, "菜单_修改闹钟设置"};
inline constexpr host::UnitRef 菜单_分隔2{id, 9, "菜单_分隔2"};
inline constexpr host::UnitRef 菜单_删除闹钟{id, 10, "菜单_删除闹钟"};
inline constexpr host::UnitRef 时钟_闹钟5{id, 11, "时钟_闹钟5"};  // slot timers of slots 5 … 2; slot 1's is unit 20
inline constexpr host::UnitRef 时钟_闹钟4{id, 12, "时钟_闹钟4"};
inline constexpr host::UnitRef 时钟_闹钟3{id, 13, "时钟_闹钟3"};
inline constexpr host::UnitRef 时钟_闹钟2{id, 14, "时钟_闹钟2"};
inline constexpr host::UnitRef 标签_闹钟5{id, 15, "标签_闹钟5"};  // ring-time mirrors of slots 5 … 1
inline constexpr host::UnitRef 标签_闹钟4{id, 16, "标签_闹钟4"};
inline constexpr host::UnitRef 标签_闹钟3{id, 17, "标签_闹钟3"};
inline constexpr host::UnitRef 标签_闹钟2{id, 18, "标签_闹钟2"};
inline constexpr host::UnitRef 标签_闹钟1{id, 19, "标签_闹钟1"};
inline constexpr host::UnitRef 时钟_闹钟1{id, 20, "时钟_闹钟1"};
inline constexpr host::UnitRef 按钮_设置{id, 21, "按钮_设置"};
inline constexpr host::UnitRef 按钮_添加{id, 22, "按钮_添加"};
inline constexpr host::UnitRef 编辑框3{id, 23, "编辑框3"};  // seconds
inline constexpr host::UnitRef 编辑框2{id, 24, "编辑框2"};  // the clock display's minutes
inline constexpr host::UnitRef 编辑框1{id, 25, "编辑框1"};  // the clock display's hours
inline constexpr host::UnitRef 超级列表框1{id, 26, "超级列表框1"};  // the alarm list: the alarm table
inline constexpr host::UnitRef 标签3{id, 27, "标签3"};
inline constexpr host::UnitRef 时钟1{id, 28, "时钟1"};  // the clock display's timer
inline constexpr host::UnitRef 标签2{id, 29, "标签2"};
inline constexpr host::UnitRef 标签1{id, 30, "标签1"};

} // namespace MainWindow
