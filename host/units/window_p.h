#pragma once

// The window unit's top-level widget, as the runtime makes and keeps it.

#include "host/runtime/layout.h"

class QWidget;

namespace host::detail {

struct LoadedWindow;

/// Builds a window's top-level widget, without its units.
QWidget* createWindowWidget(const WindowLayout& layout);
/// Puts a window above non-topmost windows or lets it go back among them.
void setAlwaysOnTop(LoadedWindow& window, bool onTop);

} // namespace host::detail
