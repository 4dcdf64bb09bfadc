#pragma once

// The due check: once a second each of the five slot timers asks whether its
// alarm has come due by the clock display, and rings it in the ringing window.

#include "host/values/value.h"

/// The tick of slot `slot`'s timer (1 … 5): when the slot's row is enabled,
/// its mirror equals the displayed hour ":" minute, the displayed day is one
/// its repeat rule names (any day for a once alarm) and the slot has not rung
/// that day (a once alarm: in this run), notes the ring in the slot's memory,
/// names the slot, then opens the ringing window and waits until it is gone.
/// One that comes due while another rings is noted as rung without ringing.
void checkSlot(int slot);

/// The clock tick tells the due check the moment whose hour the display now
/// shows: the check takes the day from it, not from a clock that may already
/// have passed midnight while the display still shows 23:59.
void clockShown(host::DateTime moment);
