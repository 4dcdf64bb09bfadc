#pragma once

// The due check: once a second each of the five slot timers asks whether its
// alarm has come due by the clock display, and rings it in the ringing window.

/// The tick of slot `slot`'s timer (1 … 5): when the slot's row is enabled
/// and its mirror equals the displayed hour ":" minute, names the slot,
/// stops the slot's timer, then opens the ringing window and waits until it
/// is gone. A slot therefore rings at most once a run, and one that comes
/// due while another rings is retired without ringing.
void checkSlot(int slot);
