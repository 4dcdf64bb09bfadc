#pragma once

// The window icons as Qt icons, for the window unit and its tests.

#include <QIcon>

#include <string>

namespace host::detail {

/// The icon for `resource`: its registered images, which the icon uses where
/// they lie, or else the resource file decoded by Qt.
QIcon loadWindowIcon(const std::string& resource);
/// Gives back to the system the memory that holds the registered images of
/// `resource`. Once a native window has copied its icon to the window
/// manager, the images are not read again; if they are, the system reads them
/// once more from the program file.
void releaseWindowIconPixels(const std::string& resource);

} // namespace host::detail
