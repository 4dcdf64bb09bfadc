#pragma once

// Three small windows for exercising the runtime: "Probe" with one unit of
// every type the program uses, "Other" with a ticking timer and a menu under
// the same unit number as the probe's, and an empty "Plain". Their handlers
// record what they saw in g_probe.

#include "host/runtime/layout.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace testwindows {

namespace Probe {
inline constexpr host::WindowId id{101};
inline constexpr host::UnitRef window{id, 0};
inline constexpr host::UnitRef label{id, 1, "label"};
inline constexpr host::UnitRef menu{id, 2, "menu"};
inline constexpr host::UnitRef enable{id, 3, "enable"};  // menu items …
inline constexpr host::UnitRef separator{id, 4, "separator"};
inline constexpr host::UnitRef remove{id, 5, "remove"};
inline constexpr host::UnitRef hidden{id, 6, "hidden"};  // … the last one invisible
inline constexpr host::UnitRef edit{id, 7, "edit"};
inline constexpr host::UnitRef digits{id, 8, "digits"};  // integer input
inline constexpr host::UnitRef note{id, 9, "note"};    // several lines
inline constexpr host::UnitRef timer{id, 10, "timer"};  // stopped
inline constexpr host::UnitRef group{id, 11, "group"};
inline constexpr host::UnitRef check{id, 12, "check"};  // checked, in the group box
inline constexpr host::UnitRef radioA{id, 13, "radioA"}; // checked, in the group box
inline constexpr host::UnitRef radioB{id, 14, "radioB"}; // in the group box
inline constexpr host::UnitRef list{id, 15, "list"};   // a visible column and a width-0 one
inline constexpr host::UnitRef spin{id, 16, "spin"};
inline constexpr host::UnitRef button{id, 17, "button"};
inline constexpr host::UnitRef dialog{id, 18, "dialog"};  // an open dialog for existing MP3 files
inline constexpr host::UnitRef newFile{id, 19, "newFile"}; // an open dialog that only wants the folder to exist
inline constexpr host::UnitRef shownNote{id, 20, "shownNote"}; // several lines, read-only
} // namespace Probe

namespace Other {
inline constexpr host::WindowId id{102};
inline constexpr host::UnitRef window{id, 0};
inline constexpr host::UnitRef timer{id, 1, "timer"};  // ticks every 20 ms
inline constexpr host::UnitRef menu{id, 2, "menu"};
inline constexpr host::UnitRef item{id, 3, "item"};
} // namespace Other

namespace Plain {
inline constexpr host::WindowId id{103};
} // namespace Plain

/// One event a unit delivered: the unit, its argument, and what the handler
/// read then (a list's current row, a box's checked state; 0 otherwise).
struct Delivered
{
    host::UnitRef unit;
    int argument = 0;
    int seen = 0;
    friend bool operator==(const Delivered&, const Delivered&) = default;
};

struct ProbeLog
{
    int created = 0;  // "Probe" only
    int destroyed = 0;
    int probeTicks = 0;
    int otherTicks = 0;
    host::Text captionWhileDestroyed;  // the label's, read in the destroying event
    std::vector<Delivered> delivered;  // clicks, right-clicks, arrows and menu choices, in order
    std::function<void()> onClick;     // the button's
    std::function<void()> onDestroy;   // "Probe"'s destroying event
};
extern ProbeLog g_probe;

/// Registers the three windows, none loaded, and clears g_probe; unloads every
/// window afterwards.
class ProbeWindows : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
};

/// The same, with "Probe" loaded.
class LoadedProbe : public ProbeWindows
{
protected:
    void SetUp() override;
};

} // namespace testwindows
