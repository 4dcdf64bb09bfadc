#pragma once

// Shorthands for the properties handlers read and write most: the text of an
// edit box and the state of a check or radio box. Fatal as readProperty and
// writeProperty are for a unit that does not resolve.

#include "host/runtime/runtime.h"

namespace host {

/// What an edit box holds.
inline Text textOf(UnitRef box)
{
    return readProperty(box, prop::content).toText();
}

/// Replaces what an edit box holds.
inline void setText(UnitRef box, const Text& text)
{
    writeProperty(box, prop::content, Value(text));
}

/// Whether a check or radio box is checked.
inline bool isChecked(UnitRef box)
{
    return readProperty(box, prop::checked).toBool();
}

/// Checks or unchecks a check or radio box (a radio box written so leaves its siblings alone).
inline void setChecked(UnitRef box, bool checked)
{
    writeProperty(box, prop::checked, Value(checked));
}

} // namespace host
