#pragma once

// Commands that act on a unit of a loaded window: moving it, popping up a
// menu, appending to an edit box. A reference that does not resolve is the
// runtime's fatal error.

#include "host/runtime/layout.h"
#include "host/values/text.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace host {

/// Moves and resizes a unit. An absent coordinate keeps its current value,
/// and so does a width or height of -1; nothing happens when the rectangle
/// stays the same.
void moveUnit(UnitRef unit, std::optional<std::int32_t> left = {}, std::optional<std::int32_t> top = {},
              std::optional<std::int32_t> width = {}, std::optional<std::int32_t> height = {});

/// Pops up `menu` (a menu unit of `window`) built from its items' current
/// captions and states, at the mouse position moved 3 pixels right and down
/// (`x`, `y` are screen coordinates that replace it), and returns when it
/// closes. The chosen item's event is delivered afterwards, as an event of its
/// own. A menu of another window is not shown.
void popupMenu(WindowId window, UnitRef menu, std::optional<std::int32_t> x = {}, std::optional<std::int32_t> y = {});

/// Appends each text, in order, at the end of an edit box and scrolls it to
/// the caret.
void appendEditText(UnitRef editBox, const std::vector<Text>& texts);

} // namespace host
