#pragma once

// The program's four windows by id, and the units of the main window that
// the alarm core reads and writes. The alarm table lives in the main
// window's list; the labels and timers beside it carry what the windows
// share: the ring-time mirrors and slot timers of the due check, the name of
// the ringing slot, the editor's mode. Each window's layout in ui/ builds its
// units from these names, so the core reaches them without knowing the
// windows' code, and opens the ringing window by its id alone.
//
// A unit's number is its place in its window's layout.

#include "host/layout.h"

namespace MainWindow {

inline constexpr host::WindowId id{1};
inline constexpr host::UnitRef window{id, 0};

inline constexpr host::UnitRef 标签_修改闹钟{id, 1};  // the editor's mode: "添加" or "修改"
inline constexpr host::UnitRef 标签_响铃{id, 4};  // the slot name of the ringing alarm
inline constexpr host::UnitRef 时钟_闹钟5{id, 11};  // slot timers of slots 5 … 2; slot 1's is unit 20
inline constexpr host::UnitRef 时钟_闹钟4{id, 12};
inline constexpr host::UnitRef 时钟_闹钟3{id, 13};
inline constexpr host::UnitRef 时钟_闹钟2{id, 14};
inline constexpr host::UnitRef 标签_闹钟5{id, 15};  // ring-time mirrors of slots 5 … 1
inline constexpr host::UnitRef 标签_闹钟4{id, 16};
inline constexpr host::UnitRef 标签_闹钟3{id, 17};
inline constexpr host::UnitRef 标签_闹钟2{id, 18};
inline constexpr host::UnitRef 标签_闹钟1{id, 19};
inline constexpr host::UnitRef 时钟_闹钟1{id, 20};
inline constexpr host::UnitRef 编辑框2{id, 24};  // the clock display's minutes
inline constexpr host::UnitRef 编辑框1{id, 25};  // the clock display's hours
inline constexpr host::UnitRef 超级列表框1{id, 26};  // the alarm list: the alarm table

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
