#pragma once

// Three small windows for exercising the runtime: "Probe" with one unit of
// every type the program uses, "Other" with a ticking timer and a menu under
// the same unit number as the probe's, and an empty "Plain". Their handlers
// record what they saw in g_probe.

#include "host/layout.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace testwindows {

namespace Probe {
inline constexpr host::WindowId id{101};
inline constexpr host::UnitRef window{id, 0};
inline constexpr host::UnitRef label{id, 1};
inline constexpr host::UnitRef menu{id, 2};
inline constexpr host::UnitRef enable{id, 3};  // menu items …
inline constexpr host::UnitRef separator{id, 4};
inline constexpr host::UnitRef remove{id, 5};
inline constexpr host::UnitRef hidden{id, 6};  // … the last one invisible
inline constexpr host::UnitRef edit{id, 7};
inline constexpr host::UnitRef digits{id, 8};  // integer input
inline constexpr host::UnitRef note{id, 9};    // several lines
inline constexpr host::UnitRef timer{id, 10};  // stopped
inline constexpr host::UnitRef group{id, 11};
inline constexpr host::UnitRef check{id, 12};  // checked, in the group box
inline constexpr host::UnitRef radioA{id, 13}; // checked, in the group box
inline constexpr host::UnitRef radioB{id, 14}; // in the group box
inline constexpr host::UnitRef list{id, 15};   // a visible column and a width-0 one
inline constexpr host::UnitRef spin{id, 16};
inline constexpr host::UnitRef button{id, 17};
inline constexpr host::UnitRef dialog{id, 18};  // an open dialog for existing MP3 files
inline constexpr host::UnitRef newFile{id, 19}; // an open dialog that only wants the folder to exist
inline constexpr host::UnitRef shownNote{id, 20}; // several lines, read-only
} // namespace Probe

namespace Other {
inline constexpr host::WindowId id{102};
inline constexpr host::UnitRef window{id, 0};
inline constexpr host::UnitRef timer{id, 1};  // ticks every 20 ms
inline constexpr host::UnitRef menu{id, 2};
inline constexpr host::UnitRef item{id, 3};
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
