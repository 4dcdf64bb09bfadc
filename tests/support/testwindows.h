#pragma once

// Helpers to drive the event loop from tests and to read units back (the
// small windows for exercising the runtime are in probewindows.h). Waiting
// for a condition is testsupport::waitUntil, which turns the event loop
// between its checks in every test that links this library.

#include "host/runtime/layout.h"
#include "waiting.h"

#include <functional>

namespace testwindows {

/// One turn of the event loop, deferred deletions included: what
/// testsupport::waitUntil does between its checks in the tests of windows.
void turnTheEventLoop();
/// Pumps events for `ms` milliseconds.
void pump(int ms);
/// Runs `action` from the event loop after `ms` milliseconds (so it can act
/// while a nested loop runs).
void later(int ms, std::function<void()> action);
/// A loaded unit's position and size, as its properties read.
host::Rect rectOf(host::UnitRef unit);

} // namespace testwindows
