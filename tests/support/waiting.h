#pragma once

// The one way the tests wait for something: check, and between checks let
// the world move on (a short sleep; in the tests of windows a turn of the
// event loop, so that timers tick and nested loops run).

#include <chrono>
#include <functional>

namespace testsupport {

/// Checks `condition` until it holds or `timeout` has passed, every
/// `interval` at the most (a check that runs another program wants a pause
/// between runs); returns condition().
bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(5),
               std::chrono::milliseconds interval = std::chrono::milliseconds(0));

/// Replaces what waitUntil does between checks; an empty function restores the sleep.
void setWaitStep(std::function<void()> step);

} // namespace testsupport
