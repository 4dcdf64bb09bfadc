#pragma once

// Helpers to drive the event loop from tests and to read units back (the
// small windows for exercising the runtime are in probewindows.h).

#include "host/layout.h"

#include <functional>

namespace testwindows {

/// Pumps events until `done` holds or `timeoutMs` has passed; returns `done()`.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 5000);
/// Pumps events for `ms` milliseconds.
void pump(int ms);
/// Runs `action` from the event loop after `ms` milliseconds (so it can act
/// while a nested loop runs).
void later(int ms, std::function<void()> action);
/// A loaded unit's position and size, as its properties read.
host::Rect rectOf(host::UnitRef unit);

} // namespace testwindows
