#pragma once

// Acts on a loaded window's units as a user would: clicks, right-clicks,
// spinner arrows, typing and leaving a box, the close box. Everything goes
// through the real widgets, so the runtime's own event delivery is what the
// handlers see.

#include "host/runtime/layout.h"

#include <QString>

class QWidget;

namespace drive {

/// The widget that shows a unit (the top-level widget for unit 0); null for
/// units without one. For the few checks that need to look at pixels or Qt state.
QWidget* widgetOf(host::UnitRef unit);

/// A left click in the middle of a button, check box or radio box.
void click(host::UnitRef unit);
/// A right click on a row of a list, or on the empty space below the rows for row -1.
void rightClick(host::UnitRef list, int row);
/// A press and release of a spinner's up arrow (+1) or down arrow (-1).
void pressArrow(host::UnitRef spin, int step);
/// Holds a spinner's arrow down for `ms` milliseconds, so it repeats.
void holdArrow(host::UnitRef spin, int step, int ms);
/// Gives an edit box the focus and types `keys` into it, key by key.
void type(host::UnitRef editBox, const QString& keys);
/// Takes the keyboard focus away from an edit box.
void leave(host::UnitRef editBox);
/// The user's close box (or Alt+F4) on a window.
void pressCloseBox(host::WindowId window);
/// One tick of a timer unit, as its period would bring it; false (and no
/// tick) while the timer is stopped.
bool tick(host::UnitRef timer);

} // namespace drive
