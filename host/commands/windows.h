#pragma once

// Commands on the program's windows as a whole: putting every one of them
// out of sight for a while and bringing them back as they were.

namespace host {

/// Hides every window of the program that is on screen: the loaded windows
/// and the message boxes and file dialogs open over them. Loaded windows
/// read as not visible until showHiddenWindows(); a box or file dialog keeps
/// waiting for its answer meanwhile.
void hideAllWindows();

/// Shows again the windows the last hideAllWindows() hid that still exist,
/// in the order in which they first appeared: the newest ends up on top and,
/// being the newest modal one, keeps the input.
void showHiddenWindows();

} // namespace host
