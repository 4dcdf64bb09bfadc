#pragma once

// The program's four windows by id. The windows in ui/ open each other by
// these ids alone, and the alarm core opens the ringing window so; the main
// window's units are in core/mainwindowunits.h.

#include "host/runtime/layout.h"

namespace MainWindow {
inline constexpr host::WindowId id{1};
} // namespace MainWindow

namespace EditorWindow {
inline constexpr host::WindowId id{2};
} // namespace EditorWindow

namespace RingWindow {
inline constexpr host::WindowId id{3};
} // namespace RingWindow

namespace SettingsWindow {
inline constexpr host::WindowId id{4};
} // namespace SettingsWindow
