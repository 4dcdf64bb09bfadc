#pragma once

// The main window: the clock face, the alarm list, the add and settings
// buttons, the footer, and the hidden machinery other windows share (slot
// timers, the list's popup menu, and labels used as named text slots).
// Its units, in the order of its layout, are in core/mainwindowunits.h.

#include "core/mainwindowunits.h"

namespace MainWindow {

/// The window's layout, built once.
const host::WindowLayout& layout();

} // namespace MainWindow
