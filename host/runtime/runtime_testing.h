#pragma once

// Only tests include this header: what they need of the runtime to start each
// test with no window loaded. The program itself never calls it.

namespace host::detail {

/// Destroys every loaded window the way closeWindow(CloseMode::Immediate) does:
/// its timers stop, the windows its dialog-mode load disabled are enabled
/// again, its destroying handler runs (and may still read its units), then its
/// widget is hidden and deleted. A window that such a handler loads is
/// destroyed in turn. Returns once every widget is gone, deferred deletions
/// included.
void unloadAllWindows();

} // namespace host::detail
