#pragma once

// The ringing window: "时间到！", the alarm's note, snooze and stop, and the
// timers that shake it, move it back once a minute and keep it on top.

#include "core/windows.h"

namespace RingWindow {

inline constexpr host::UnitRef window{id, 0};

inline constexpr host::UnitRef 标签1{id, 1, "标签1"};  // "时间到！"
inline constexpr host::UnitRef 标签2{id, 2, "标签2"};  // the rule under the headline
inline constexpr host::UnitRef 标签3{id, 3, "标签3"};  // "备注："
inline constexpr host::UnitRef 编辑框1{id, 4, "编辑框1"};  // the alarm's note
inline constexpr host::UnitRef 按钮2{id, 5, "按钮2"};  // "5分钟再响"
inline constexpr host::UnitRef 按钮1{id, 6, "按钮1"};  // "停止"
inline constexpr host::UnitRef 标签_振动{id, 7, "标签_振动"};
inline constexpr host::UnitRef 时钟1{id, 8, "时钟1"};  // shake: left -10
inline constexpr host::UnitRef 时钟2{id, 9, "时钟2"};  // shake: top +10
inline constexpr host::UnitRef 时钟3{id, 10, "时钟3"};  // shake: left +10
inline constexpr host::UnitRef 时钟4{id, 11, "时钟4"};  // shake: top -10
inline constexpr host::UnitRef 时钟5{id, 12, "时钟5"};  // back to the middle of the screen once a minute
inline constexpr host::UnitRef 时钟6{id, 13, "时钟6"};  // keeps the window on top

/// The window's layout, built once.
const host::WindowLayout& layout();

} // namespace RingWindow
