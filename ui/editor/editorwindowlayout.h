#pragma once

// The alarm editor: hour and minute in large digits with a spinner each, the
// alarm's options, the repeat choice with its weekdays, the music frame, the
// note, and the confirm and cancel buttons. Units inside a group box are its
// children and sit relative to it.

#include "core/windows.h"

namespace EditorWindow {

inline constexpr host::UnitRef window{id, 0};

inline constexpr host::UnitRef 编辑框_重复{id, 1, "编辑框_重复"};  // hidden: the custom repeat text is built here
inline constexpr host::UnitRef 单选框_自定{id, 2, "单选框_自定"};
inline constexpr host::UnitRef 时钟1{id, 3, "时钟1"};  // keeps the weekday boxes in step with the repeat choice
inline constexpr host::UnitRef 通用对话框1{id, 4, "通用对话框1"};  // the music file chooser
inline constexpr host::UnitRef 按钮3{id, 5, "按钮3"};  // 取消
inline constexpr host::UnitRef 按钮2{id, 6, "按钮2"};  // 完成
inline constexpr host::UnitRef 编辑框_备注{id, 7, "编辑框_备注"};
inline constexpr host::UnitRef 分组框4{id, 8, "分组框4"};
inline constexpr host::UnitRef 按钮1{id, 9, "按钮1"};  // 打开
inline constexpr host::UnitRef 编辑框_自定音乐{id, 10, "编辑框_自定音乐"};
inline constexpr host::UnitRef 选择框_自定音乐{id, 11, "选择框_自定音乐"};
inline constexpr host::UnitRef 分组框3{id, 12, "分组框3"};  // the music frame
inline constexpr host::UnitRef 标签3{id, 13, "标签3"};
inline constexpr host::UnitRef 单选框_单次{id, 14, "单选框_单次"};
inline constexpr host::UnitRef 单选框_每天{id, 15, "单选框_每天"};
inline constexpr host::UnitRef 单选框_工作日{id, 16, "单选框_工作日"};
inline constexpr host::UnitRef 选择框_星期日{id, 17, "选择框_星期日"};
inline constexpr host::UnitRef 选择框_星期六{id, 18, "选择框_星期六"};
inline constexpr host::UnitRef 选择框_星期五{id, 19, "选择框_星期五"};
inline constexpr host::UnitRef 选择框_星期四{id, 20, "选择框_星期四"};
inline constexpr host::UnitRef 选择框_星期三{id, 21, "选择框_星期三"};
inline constexpr host::UnitRef 选择框_星期二{id, 22, "选择框_星期二"};
inline constexpr host::UnitRef 选择框_星期一{id, 23, "选择框_星期一"};
inline constexpr host::UnitRef 分组框2{id, 24, "分组框2"};  // the repeat frame
inline constexpr host::UnitRef 选择框_振动{id, 25, "选择框_振动"};
inline constexpr host::UnitRef 选择框_启动闹钟{id, 26, "选择框_启动闹钟"};
inline constexpr host::UnitRef 分组框1{id, 27, "分组框1"};
inline constexpr host::UnitRef 编辑框_分钟{id, 28, "编辑框_分钟"};
inline constexpr host::UnitRef 调节器2{id, 29, "调节器2"};  // minute spinner
inline constexpr host::UnitRef 标签2{id, 30, "标签2"};  // the colon's lower square
inline constexpr host::UnitRef 标签1{id, 31, "标签1"};  // the colon's upper square
inline constexpr host::UnitRef 编辑框_小时{id, 32, "编辑框_小时"};
inline constexpr host::UnitRef 调节器1{id, 33, "调节器1"};  // hour spinner

/// The window's layout, built once.
const host::WindowLayout& layout();

} // namespace EditorWindow
