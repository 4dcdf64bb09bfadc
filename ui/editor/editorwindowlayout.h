#pragma once

// The alarm editor: hour and minute in large digits with a spinner each, the
// alarm's options, the repeat choice with its weekdays, the music frame, the
// note, and the confirm and cancel buttons. Units inside a group box are its
// children and sit relative to it.

#include "core/windows.h"

namespace EditorWindow {

inline constexpr host::UnitRef window{id, 0};

inline constexpr host::UnitRef 编辑框_重复{id, 1};  // hidden: the custom repeat text is built here
inline constexpr host::UnitRef 单选框_自定{id, 2};
inline constexpr host::UnitRef 时钟1{id, 3};  // keeps the weekday boxes in step with the repeat choice
inline constexpr host::UnitRef 通用对话框1{id, 4};  // the music file chooser
inline constexpr host::UnitRef 按钮3{id, 5};  // 取消
inline constexpr host::UnitRef 按钮2{id, 6};  // 完成
inline constexpr host::UnitRef 编辑框_备注{id, 7};
inline constexpr host::UnitRef 分组框4{id, 8};
inline constexpr host::UnitRef 按钮1{id, 9};  // 打开
inline constexpr host::UnitRef 编辑框_自定音乐{id, 10};
inline constexpr host::UnitRef 选择框_自定音乐{id, 11};
inline constexpr host::UnitRef 分组框3{id, 12};  // the music frame
inline constexpr host::UnitRef 标签3{id, 13};
inline constexpr host::UnitRef 单选框_单次{id, 14};
inline constexpr host::UnitRef 单选框_每天{id, 15};
inline constexpr host::UnitRef 单选框_工作日{id, 16};
inline constexpr host::UnitRef 选择框_星期日{id, 17};
inline constexpr host::UnitRef 选择框_星期六{id, 18};
inline constexpr host::UnitRef 选择框_星期五{id, 19};
inline constexpr host::UnitRef 选择框_星期四{id, 20};
inline constexpr host::UnitRef 选择框_星期三{id, 21};
inline constexpr host::UnitRef 选择框_星期二{id, 22};
inline constexpr host::UnitRef 选择框_星期一{id, 23};
inline constexpr host::UnitRef 分组框2{id, 24};  // the repeat frame
inline constexpr host::UnitRef 选择框_振动{id, 25};
inline constexpr host::UnitRef 选择框_启动闹钟{id, 26};
inline constexpr host::UnitRef 分组框1{id, 27};
inline constexpr host::UnitRef 编辑框_分钟{id, 28};
inline constexpr host::UnitRef 调节器2{id, 29};  // minute spinner
inline constexpr host::UnitRef 标签2{id, 30};  // the colon's lower square
inline constexpr host::UnitRef 标签1{id, 31};  // the colon's upper square
inline constexpr host::UnitRef 编辑框_小时{id, 32};
inline constexpr host::UnitRef 调节器1{id, 33};  // hour spinner

/// The window's layout, built once.
const host::WindowLayout& layout();

} // namespace EditorWindow
