#pragma once

// The blocking delay. Unlike the message box or the dialogs it runs no
// event loop: the thread sleeps, windows do not repaint and no timer ticks
// until it returns.

#include <chrono>
#include <cstdint>
#include <functional>

namespace host {

/// Sleeps the calling thread for `milliseconds` (negative taken as 0).
void delay(std::int32_t milliseconds);

/// Seam for tests: replaces the sleep `delay` uses; an empty function restores the real one.
void setSleep(std::function<void(std::chrono::milliseconds)> sleep);

} // namespace host
