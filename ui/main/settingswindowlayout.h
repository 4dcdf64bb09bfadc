#pragma once

// The settings window: a placeholder that only displays. It has no handlers.

#include "core/windows.h"

namespace SettingsWindow {

inline constexpr host::UnitRef window{id, 0};

inline constexpr host::UnitRef 标签3{id, 1, "标签3"};
inline constexpr host::UnitRef 标签2{id, 2, "标签2"};
inline constexpr host::UnitRef 标签1{id, 3, "标签1"};
inline constexpr host::UnitRef 组合框1{id, 4, "组合框1"};
inline constexpr host::UnitRef 分组框1{id, 5, "分组框1"};

/// The window's layout, built once. The window only displays; it has no handlers.
const host::WindowLayout& layout();

} // namespace SettingsWindow
